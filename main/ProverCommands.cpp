#include "main/ProverCommands.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <thread>

#include "main/MainForm.h"
#include "main/WaitForm.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"

namespace {

// While the prover works the windows take no input, so that the position
// stays the one being proved; Escape, and the progress window's button,
// cancel.
class TInputGate : public QObject {
public:
  TInputGate(QWidget* open, std::function<void()> cancel)
      : FOpen(open), FCancel(std::move(cancel))
  {
    qApp->installEventFilter(this);
  }
  ~TInputGate() override { qApp->removeEventFilter(this); }
  void SetOpen(QWidget* open) { FOpen = open; }

protected:
  bool eventFilter(QObject* target, QEvent* event) override
  {
    switch (event->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
          FCancel();
          return true;
        }
        [[fallthrough]];
      case QEvent::KeyRelease:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        return !Inside(target);
      case QEvent::ShortcutOverride:
        // Claimed here, so that no shortcut fires meanwhile.
        event->accept();
        return true;
      case QEvent::Shortcut:
      case QEvent::Wheel:
      case QEvent::Close:
        return !Inside(target);
      default:
        return false;
    }
  }

private:
  bool Inside(QObject* target) const
  {
    for (QObject* o = target; o; o = o->parent())
      if (o == FOpen)
        return true;
    return false;
  }
  QWidget* FOpen;
  std::function<void()> FCancel;
};

QAction* AddCommand(QMenu* menu, QWidget* form, const QString& name, const QString& caption,
                    const QKeySequence& key)
{
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(key);
  // The shortcut works from every control of the window.
  form->addAction(action);
  return action;
}

}  // namespace

TProverCommands::TProverCommands(TMainForm* form) : QObject(form), FForm(form)
{
  setObjectName(QStringLiteral("ProverCommands"));
  FProver.SetBudget(std::chrono::milliseconds(BudgetMs));
  QMenu* menu = form->Solve1;
  menu->addSeparator()->setObjectName(QStringLiteral("ProverSeparator"));
  Ask = AddCommand(menu, form, QStringLiteral("Ask1"), tr("&Можно ли пройти?"), Qt::Key_F6);
  SureMove = AddCommand(menu, form, QStringLiteral("SureMove1"), tr("Верный &ход"), Qt::Key_F7);
  SolveSure =
      AddCommand(menu, form, QStringLiteral("SolveSure1"), tr("Решить &наверняка"), Qt::Key_F8);
  connect(Ask, &QAction::triggered, this, [this] { Run(TCommand::Ask); });
  connect(SureMove, &QAction::triggered, this, [this] { Run(TCommand::SureMove); });
  connect(SolveSure, &QAction::triggered, this, [this] { Run(TCommand::SolveSure); });
  // Enabled exactly where "Один ход" is.
  auto follow = [this] {
    for (QAction* action : {Ask, SureMove, SolveSure})
      action->setEnabled(FForm->OneStep1->isEnabled());
  };
  connect(form->OneStep1, &QAction::changed, this, follow);
  follow();
}

bool TProverCommands::Prove(const TBoard& board, int n, uint16_t x, uint16_t y, uint16_t count)
{
  FProver.ClearCancel();
  std::atomic<bool> done{false};
  bool cancelled = false;
  std::thread worker([&] {
    FProver.Prove(board, n, x, y, count);
    done.store(true);
  });

  QEventLoop loop;
  QDialog* progress = nullptr;
  QLabel* seconds = nullptr;
  auto cancel = [&] {
    cancelled = true;
    FProver.Cancel();
    loop.quit();
  };
  TInputGate gate(nullptr, cancel);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QElapsedTimer clock;
  clock.start();
  QTimer poll;
  poll.setInterval(15);
  connect(&poll, &QTimer::timeout, &loop, [&] {
    if (done.load()) {
      loop.quit();
      return;
    }
    if (!progress && clock.elapsed() >= QuietMs) {
      progress = new QDialog(FForm);
      progress->setObjectName(QStringLiteral("ProverWait"));
      progress->setWindowTitle(TWaitForm::tr("Подождите."));
      progress->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
      progress->setFont(WindowFont());
      auto* layout = new QHBoxLayout(progress);
      seconds = new QLabel(progress);
      seconds->setObjectName(QStringLiteral("Seconds"));
      auto* button = new QPushButton(TWaitForm::tr("Отмена"), progress);
      button->setObjectName(QStringLiteral("Cancel"));
      connect(button, &QPushButton::clicked, &loop, cancel);
      layout->addWidget(seconds);
      layout->addWidget(button);
      gate.SetOpen(progress);
      progress->show();
    }
    if (seconds)
      //: How long the prover has been at work.
      seconds->setText(tr("Проверяю: %1 с").arg(clock.elapsed() / 1000));
  });
  poll.start();
  loop.exec();
  poll.stop();
  worker.join();
  delete progress;
  QApplication::restoreOverrideCursor();
  // A cancel that came before the verdict was seen wins, whatever the
  // verdict: the user saw the board stay as it was.
  return !cancelled;
}

QString TProverCommands::VerdictText() const
{
  switch (FProver.Verdict()) {
    case TProofVerdict::Possible:
      return tr("Обход ещё возможен.");
    case TProofVerdict::Undetermined:
      return tr("Не удалось выяснить за %1 с, можно ли закончить обход.").arg(BudgetMs / 1000);
    case TProofVerdict::Impossible:
      break;
  }
  // Every blamed cell by its name; a long list is cut short.
  constexpr int Named = 12;
  const auto& blamed = FProver.Blamed();
  QStringList names;
  for (int i = 0; i < int(blamed.size()) && i < Named; ++i)
    names << TViltronPan::PlaceName(blamed[i].X, blamed[i].Y);
  QString cells = names.join(QStringLiteral("; "));
  if (int(blamed.size()) > Named)
    //: %1 lists cells, %2 how many more are not listed.
    cells = tr("%1 и ещё %2").arg(cells).arg(int(blamed.size()) - Named);
  const bool one = blamed.size() == 1;
  QString why;
  switch (FProver.Reason()) {
    case TProofReason::Stuck:
      why = tr("коню некуда ходить.");
      break;
    case TProofReason::Unreachable:
      why = one ? tr("клетка %1 недостижима: коню до неё уже не добраться.").arg(cells)
                : tr("клетки %1 недостижимы: коню до них уже не добраться.").arg(cells);
      break;
    case TProofReason::DeadEnd:
      why = tr("на клетку %1 можно пойти только сейчас, а уйти с неё будет некуда.").arg(cells);
      break;
    case TProofReason::Split:
      why = tr("свободные клетки распались на части, и клетки %1 останутся в стороне: конь "
               "не возвращается.")
                .arg(cells);
      break;
    case TProofReason::SingleWays:
      why = tr("у клеток %1 только по одному входу, значит, каждая из них должна быть "
               "последней.")
                .arg(cells);
      break;
    case TProofReason::LastColour:
      why = tr("у клетки %1 только один вход, значит, она последняя, но последний ход "
               "придётся на клетку другого цвета.")
                .arg(cells);
      break;
    case TProofReason::Colours:
      why = tr("свободных клеток цвета коня %1, другого цвета %2, а конь меняет цвет "
               "каждым ходом.")
                .arg(FProver.OwnColour())
                .arg(FProver.OtherColour());
      break;
    default:
      why = tr("ни одно продолжение не обходит все клетки.");
      break;
  }
  return tr("Обход уже невозможен: %1").arg(why);
}

void TProverCommands::ShowVerdict()
{
  if (FProver.Verdict() == TProofVerdict::Impossible && !FProver.Blamed().empty()) {
    QString word = tr("один вход");
    if (FProver.Reason() == TProofReason::Unreachable)
      //: Ends the name of a cell that the knight can no longer reach.
      word = tr("недостижима");
    else if (FProver.Reason() == TProofReason::DeadEnd)
      word = tr("тупик");
    else if (FProver.Reason() == TProofReason::Split)
      //: Ends the name of a cell in a part of the board the tour must leave out.
      word = tr("отрезана");
    QVector<QPoint> cells;
    for (const TProofCell& c : FProver.Blamed())
      cells << QPoint(c.X, c.Y);
    FForm->Game->SetMarks(cells, word);
  }
  MessageDlg(VerdictText(), mtInformation, {mbOK}, FForm);
}

void TProverCommands::Run(TCommand command)
{
  TViltronPan* game = FForm->Game;
  const TGameState state = game->State();
  if (FBusy || state == gsThink || state == gsCancel || state == gsBest)
    return;
  FBusy = true;
  if (state == gsShow) {
    // A running replay becomes a game from the position it has reached.
    FForm->Timer->stop();
    game->SetState(gsPlay);
  }
  const int n = game->Size();
  // A move or a solve outside a game starts a new one, as the solve commands
  // do; the question judges the board as it stands.
  const bool fresh = game->State() == gsNew ||
                     (game->State() == gsStop && command != TCommand::Ask);
  TBoard board(n, std::vector<uint16_t>(n, 0));
  if (!fresh)
    for (int x = 0; x < n; ++x)
      std::copy_n(game->Board()[x].begin(), n, board[x].begin());
  const uint16_t count = fresh ? 0 : game->Count();
  const bool proved = Prove(board, n, game->PosX(), game->PosY(), count);
  FBusy = false;
  if (!proved)
    return;
  const TSolution& tour = FProver.Tour();
  if (FProver.Verdict() != TProofVerdict::Possible || command == TCommand::Ask ||
      count == n * n) {
    ShowVerdict();
    return;
  }
  if (fresh && game->State() != gsNew)
    game->SetState(gsNew);
  if (command == TCommand::SolveSure) {
    game->ShowTour(tour);
    return;
  }
  // The next move, made as a left press on its cell makes it.
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      if (tour.Board[x][y] == count + 1) {
        const int w = game->SizeOfCell();
        game->MouseDown(Qt::LeftButton, Qt::NoModifier, x * w, y * w);
        return;
      }
}
