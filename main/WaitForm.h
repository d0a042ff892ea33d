#pragma once
// The solver's progress window: shown modally while the computer searches a
// tour. It counts the seconds, cycles through its remarks, and its two
// buttons stop the search: "Лучшее решение" keeps the longest walk found so
// far, "Отмена" undoes the command. It closes itself when the search ends.

#include <QDialog>
#include <cstdint>

class QPushButton;
class QTimer;
class TMainForm;
class TStatusBar;

class TWaitForm : public QDialog {
  Q_OBJECT

public:
  explicit TWaitForm(TMainForm* owner);

  QPushButton* Button1;  // "Лучшее решение"
  QPushButton* Button2;  // "Отмена"
  TStatusBar* StatusBar1;
  QTimer* Timer1;

  void Button1Click(QObject* sender);
  void Button2Click(QObject* sender);
  // Runs the main window's chosen command, once, as soon as the window is on
  // screen and its modal loop runs.
  void PaintForm(QObject* sender);
  void CreateForm(QObject* sender);
  void Timer(QObject* sender);

  bool Started = false;  // the command has been started
  uint16_t Ticks = 0;    // timer ticks since the window was created

  // Lets the window close; until then Esc and the title bar cannot close it.
  void Finish();

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

private:
  TMainForm* FOwner;
  bool FClosing = false;
};
