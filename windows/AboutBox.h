#pragma once
// The about window: a small borderless box with the program's and the
// author's details. A click almost anywhere closes it; the underlined labels
// are links.

#include <QDialog>

class QGroupBox;
class QLabel;

class TAboutBox : public QDialog {
  Q_OBJECT

public:
  explicit TAboutBox(QWidget* parent = nullptr);

  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QLabel* Image1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QGroupBox* GroupBox3;
  QLabel* Image2;
  QLabel* Label5;
  QLabel* Label7;
  QLabel* Label6;
  QLabel* Label9;
  QLabel* Label8;

  void ClickBox(QObject* sender);
  void MouseEnter(QObject* sender);
  void MouseLeave(QObject* sender);
  void KnightClick(QObject* sender);
  void OrvelClick(QObject* sender);
  void MailClick(QObject* sender);

  // The addresses the three links open.
  static const QString ProgramPage;
  static const QString InstitutionPage;
  static const QString MailAddress;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;

private:
  QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text,
                   const QString& hint, const QRect& place);
  void MakeLink(QLabel* label);
  void TrackClick(QWidget* control, const QMouseEvent* event);
  void Click(QObject* sender);

  QList<QObject*> FClosers;  // what closes the box when clicked
  QList<QObject*> FLinks;
  QWidget* FPressed = nullptr;  // where the left button went down
};
