#include "platform/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

TUpDown::TUpDown(QWidget* parent) : QWidget(parent)
{
  setFocusPolicy(Qt::TabFocus);
  FUp = new QToolButton(this);
  FDown = new QToolButton(this);
  for (QToolButton* button : {FUp, FDown}) {
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setIconSize(QSize(7, 4));
  }
  FUp->setArrowType(Qt::UpArrow);
  FDown->setArrowType(Qt::DownArrow);
  FUp->setAccessibleName(QStringLiteral("Up"));
  FDown->setAccessibleName(QStringLiteral("Down"));
  connect(FUp, &QToolButton::clicked, this, [this] { StepUp(); });
  connect(FDown, &QToolButton::clicked, this, [this] { StepDown(); });
}

void TUpDown::SetAssociate(QLineEdit* edit)
{
  if (FAssociate)
    FAssociate->removeEventFilter(this);
  FAssociate = edit;
  if (FAssociate)
    FAssociate->installEventFilter(this);
  Show();
}

void TUpDown::SetRange(int min, int max)
{
  FMin = min;
  FMax = max;
}

void TUpDown::SetPosition(int value)
{
  if (value == FPosition)
    return;
  Change(FPosition, value, value > FPosition);
}

void TUpDown::Settle(int value)
{
  FPosition = qBound(FMin, value, FMax);
  Show();
}

void TUpDown::Step(int delta)
{
  bool ok = false;
  int from = FAssociate ? FAssociate->text().toInt(&ok) : FPosition;
  if (!ok && FAssociate)
    from = FPosition;
  Change(from, from + delta, delta > 0);
}

void TUpDown::Change(int from, int proposal, bool going_up)
{
  TUpDownDirection direction = updNone;
  if (proposal > from && !(going_up && proposal > FMax))
    direction = updUp;
  else if (proposal < from && !(!going_up && proposal < FMin))
    direction = updDown;
  bool allow = true;
  if (OnChangingEx)
    OnChangingEx(this, allow, static_cast<int16_t>(proposal), direction);
  if (!allow)
    return;
  FPosition = qBound(FMin, proposal, FMax);
  Show();
}

void TUpDown::Show()
{
  if (FAssociate)
    FAssociate->setText(QString::number(FPosition));
}

void TUpDown::keyPressEvent(QKeyEvent* event)
{
  if (event->key() == Qt::Key_Up)
    StepUp();
  else if (event->key() == Qt::Key_Down)
    StepDown();
  else
    QWidget::keyPressEvent(event);
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
  // The arrow keys in the attached box step the control.
  if (watched == FAssociate && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TUpDown::resizeEvent(QResizeEvent* event)
{
  QWidget::resizeEvent(event);
  const int half = height() / 2;
  FUp->setGeometry(0, 0, width(), half);
  FDown->setGeometry(0, half, width(), height() - half);
}
