#pragma once
// A pair of up/down arrows attached to an edit box that shows the position.
//
// Each step starts from the number shown in the box and proposes it plus or
// minus one; every change of position, by a step or by the program, is first
// offered to OnChangingEx, which may refuse it.

#include <QWidget>
#include <cstdint>
#include <functional>

class QLineEdit;
class QToolButton;

enum TUpDownDirection { updNone = 0, updUp = 1, updDown = 2 };

class TUpDown : public QWidget {
public:
  using TChangingEx = std::function<void(QObject* sender, bool& allowChange, int16_t newValue,
                                         TUpDownDirection direction)>;

  explicit TUpDown(QWidget* parent = nullptr);

  // The box that shows the position and whose arrow keys step the control.
  void SetAssociate(QLineEdit* edit);
  void SetRange(int min, int max);
  int Min() const { return FMin; }
  int Max() const { return FMax; }

  int Position() const { return FPosition; }
  // An assignment by the program; a value equal to the position does nothing.
  void SetPosition(int value);
  // Takes and shows a value the owner has already brought about itself,
  // offering it to nobody: the position stays in step with what it controls.
  void Settle(int value);

  // One step as a click on an arrow makes it.
  void StepUp() { Step(+1); }
  void StepDown() { Step(-1); }

  TChangingEx OnChangingEx;

protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void Step(int delta);
  void Change(int from, int proposal, bool going_up);
  void Show();

  QLineEdit* FAssociate = nullptr;
  QToolButton* FUp;
  QToolButton* FDown;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
};
