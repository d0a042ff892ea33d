#include "main/WaitForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "main/MainForm.h"
#include "platform/Application.h"
#include "platform/Fonts.h"
#include "platform/StatusBar.h"

namespace {

// The remarks of the progress window, one for every 20 ticks (ten seconds).
const char* const ThinkMessages[9] = {
    QT_TRANSLATE_NOOP("TWaitForm", "Думаю..."),
    QT_TRANSLATE_NOOP("TWaitForm", "Крепкий орешек попался."),
    QT_TRANSLATE_NOOP("TWaitForm", "Не получается..."),
    QT_TRANSLATE_NOOP("TWaitForm", "Устал."),
    QT_TRANSLATE_NOOP("TWaitForm", "Зачем так мучать компьютер?"),
    QT_TRANSLATE_NOOP("TWaitForm", "Попробуйка сам реши!"),
    QT_TRANSLATE_NOOP("TWaitForm", "Это бесполезно!"),
    QT_TRANSLATE_NOOP("TWaitForm", "Зря ждёшь!"),
    QT_TRANSLATE_NOOP("TWaitForm", "Надежда умирает последней :("),
};

QString Caption()
{
  return TWaitForm::tr("Подождите.");
}

// A push button that Enter presses while it has the focus, as Space does. An
// auto-default button would do that too, but inside a dialog it would also
// stay the default one and answer Enter while the focus is elsewhere.
class TFocusButton : public QPushButton {
public:
  using QPushButton::QPushButton;

protected:
  void keyPressEvent(QKeyEvent* event) override
  {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
      click();
    else
      QPushButton::keyPressEvent(event);
  }
};

}  // namespace

TWaitForm::TWaitForm(TMainForm* owner) : QDialog(owner), FOwner(owner)
{
  setObjectName(QStringLiteral("WaitForm"));
  setWindowTitle(Caption());
  // A title bar without buttons: only the search's end closes the window.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(WindowFont());
  setFixedSize(201, 72);

  Button1 = new TFocusButton(tr("Лучшее решение"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 16, 97, 25);
  Button2 = new TFocusButton(tr("Отмена"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setGeometry(120, 16, 75, 25);
  // Neither button is the default one: Enter presses only the focused one.
  for (QPushButton* button : {Button1, Button2}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  setTabOrder(Button1, Button2);

  StatusBar1 = new TStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setGeometry(0, 53, 201, 19);
  StatusBar1->AddPanel(25, QStringLiteral("0"), Qt::AlignRight);
  StatusBar1->AddPanel(50, tr(ThinkMessages[0]));

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(500);

  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(Button2); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer(Timer1); });

  CreateForm(this);
  Timer1->start();
}

void TWaitForm::CreateForm(QObject*)
{
  Started = false;
  Ticks = 0;
}

void TWaitForm::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  // A search pumps events: it must not run inside a paint, so it starts from
  // the modal loop right after the window has appeared.
  QTimer::singleShot(0, this, [this] { PaintForm(this); });
}

void TWaitForm::PaintForm(QObject*)
{
  if (Started)
    return;
  Started = true;
  const QString command = FOwner->ThinkCommand;
  TViltronPan* game = FOwner->Game;
  // Unlocked before the window closes, so that the focus it gives back
  // finds its control enabled.
  FOwner->LockGameCommands(true);
  RunGuarded([&] {
    if (command == QLatin1String("Now1"))
      game->SolveAll();
    else if (command == QLatin1String("StepbyStep1"))
      game->PrepareShow();
    else if (command == QLatin1String("OneStep1"))
      game->Hint();
  });
  FOwner->LockGameCommands(false);
  // The search's end has closed the window; should an error have cut the
  // command short before that, close it here rather than leave the user
  // facing a window without a way out.
  Finish();
}

void TWaitForm::Timer(QObject*)
{
  ++Ticks;
  if (Ticks % 5 != 0)
    setWindowTitle(windowTitle() + QLatin1Char('.'));
  else
    setWindowTitle(Caption());
  if (Ticks % 2 == 0)
    StatusBar1->SetPanelText(0, QString::number(Ticks / 2));
  if (Ticks / 20 <= 8)
    StatusBar1->SetPanelText(1, tr(ThinkMessages[Ticks / 20]));
}

void TWaitForm::Button1Click(QObject*)
{
  FOwner->Game->SetState(gsBest);
}

void TWaitForm::Button2Click(QObject*)
{
  FOwner->Game->SetState(gsCancel);
}

void TWaitForm::Finish()
{
  if (FClosing)
    return;
  FClosing = true;
  Timer1->stop();
  done(QDialog::Rejected);
}

void TWaitForm::reject()
{
  // Esc: only the end of the search closes the window.
  if (FClosing)
    QDialog::reject();
}

void TWaitForm::closeEvent(QCloseEvent* event)
{
  if (FClosing)
    QDialog::closeEvent(event);
  else
    event->ignore();
}
