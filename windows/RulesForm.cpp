#include "windows/RulesForm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "board/ViltronPan.h"
#include "main/MainForm.h"
#include "platform/Application.h"
#include "platform/Fonts.h"
#include "platform/Screen.h"

namespace {

// One string per line; the box wraps them to its width.
const char* const RulesText[] = {
    QT_TRANSLATE_NOOP("TRulesForm", "Цель игры: пройти по всему полю."),
    QT_TRANSLATE_NOOP("TRulesForm", "Правила: "),
    QT_TRANSLATE_NOOP("TRulesForm", "1. Ходить можно только буквой Г."),
    QT_TRANSLATE_NOOP("TRulesForm", "2. На каждой клетке можно побывать       "),
    QT_TRANSLATE_NOOP("TRulesForm", "    только один раз."),
    QT_TRANSLATE_NOOP("TRulesForm", "История: задачу впервые поставил"),
    QT_TRANSLATE_NOOP("TRulesForm", "математик Леонард Эйлер."),
};

}  // namespace

TRulesForm::TRulesForm(TMainForm* mainForm, QWidget* parent) : QDialog(parent), FMainForm(mainForm)
{
  setObjectName(QStringLiteral("RulesForm"));
  setWindowTitle(tr("Правила игры"));
  // A dialog frame whose title bar has only the close button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(WindowFont());
  setFixedSize(359, 150);

  RichEdit1 = new QPlainTextEdit(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setGeometry(8, 8, 209, 105);
  QStringList lines;
  for (const char* line : RulesText)
    lines << tr(line);
  RichEdit1->setPlainText(lines.join(QLatin1Char('\n')));
  RichEdit1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Nothing to focus, select or edit; the text stays as readable as enabled.
  RichEdit1->setEnabled(false);
  QPalette text = RichEdit1->palette();
  text.setColor(QPalette::Disabled, QPalette::Text, text.color(QPalette::Active, QPalette::Text));
  text.setColor(QPalette::Disabled, QPalette::Base, text.color(QPalette::Active, QPalette::Base));
  RichEdit1->setPalette(text);

  BitBtn1 = new QPushButton(tr("OK!"), this);
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setGeometry(8, 120, 209, 25);
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

  Game = new TViltronPan(this);
  Game->setObjectName(QStringLiteral("Game"));
  Game->move(226, 12);
  Game->SetSize(5);
  // A demonstration only: no keyboard focus, no keys.
  Game->setFocusPolicy(Qt::NoFocus);
  Game->OnMove = [this](QObject* s) { OnKnightMove(s); };

  Timer = new QTimer(this);
  Timer->setObjectName(QStringLiteral("Timer"));
  Timer->setInterval(1000);
  connect(Timer, &QTimer::timeout, this, [this] { RunGuarded([this] { StepOnTimer(Timer); }); });
}

void TRulesForm::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  if (event->spontaneous())
    return;
  CenterOnDesktop(this);
  FStarting = true;
  RunGuarded([this] { FormShow(this); });
  FStarting = false;
}

void TRulesForm::FormShow(QObject*)
{
  // Every showing starts a new demonstration; a 5 x 5 search always ends
  // with a full tour in its first walk.
  Game->SetState(gsNew);
  Game->PrepareShow();
  Timer->start();
}

void TRulesForm::StepOnTimer(QObject*)
{
  if (Game->Count() != Game->Size() * Game->Size()) {
    Game->ShowNextMove();
    return;
  }
  // The whole tour has been shown for a tick: start another.
  Timer->stop();
  Game->SetState(gsStop);
  Game->SetState(gsNew);
  Game->PrepareShow();
  Timer->start();
}

void TRulesForm::OnKnightMove(QObject*)
{
  FMainForm->OnKnightMove(this);
}

void TRulesForm::done(int result)
{
  // A close asked for while the window is still being shown (the search
  // pumps events) would come before the modal loop that it must end, and
  // leave that loop waiting on a hidden window: close once the loop runs.
  if (FStarting) {
    QTimer::singleShot(0, this, [this, result] { done(result); });
    return;
  }
  OnCloseForm(this);
  QDialog::done(result);
}

void TRulesForm::OnCloseForm(QObject*)
{
  Timer->stop();
}
