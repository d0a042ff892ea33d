#pragma once
// The rules window: the rules as text beside a 5 x 5 board on which the
// computer replays tours of its own, a move a second, over and over.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QTimer;
class TMainForm;
class TViltronPan;

class TRulesForm : public QDialog {
  Q_OBJECT

public:
  // mainForm: the window whose move handler answers the demonstration's moves.
  explicit TRulesForm(TMainForm* mainForm, QWidget* parent = nullptr);

  QPushButton* BitBtn1;
  QTimer* Timer;
  QPlainTextEdit* RichEdit1;
  TViltronPan* Game;

  void FormShow(QObject* sender);
  void StepOnTimer(QObject* sender);
  void OnKnightMove(QObject* sender);
  void OnCloseForm(QObject* sender);

protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

private:
  TMainForm* FMainForm;
  bool FStarting = false;  // FormShow runs (its search pumps events)
};
