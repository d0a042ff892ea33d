// What a player waits for on screen, at one and two device pixels per
// logical pixel: the game's start until its main window is painted, a full
// repaint of a 100 x 100 board with a number on every cell, and the redraw of
// one move (the knight's new cell and its old one, each shown at once).
//
// Each figure comes from a child process of this program run with
// QT_SCALE_FACTOR set, on the platform the environment chooses (the X server
// of DISPLAY, else offscreen). Start-up is timed from just before the child
// process is launched, so that loading the libraries counts, to the moment
// the child's main window has painted its board and the frame has been
// handed to the screen; the child starts exactly as the game does.

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "main/GameWindows.h"
#include "platform/Application.h"
#include "platform/Fonts.h"

// Every allocation of this program is counted, to show that painting makes
// none per cell.
static long long Allocations = 0;

void* operator new(std::size_t size)
{
  ++Allocations;
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
  std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
  std::free(p);
}

namespace {

constexpr int StartRuns = 10;
constexpr int RepaintRuns = 10;
constexpr int MoveRuns = 2000;

long long Now()
{
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

double Median(std::vector<double> values)
{
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Child: starts as the game does and prints the clock once the main window
// has shown its board.
int RunStart(int argc, char** argv)
{
  TApplication application(argc, argv);
  QApplication::setFont(WindowFont());
  TGameWindows windows;
  struct TFirstPaint : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
      // The frame is handed to the screen when this paint's round ends.
      if (event->type() == QEvent::Paint && !Seen) {
        Seen = true;
        QTimer::singleShot(0, [] {
          std::printf("%lld\n", Now());
          std::fflush(stdout);
          QCoreApplication::exit(0);
        });
      }
      return false;
    }
    bool Seen = false;
  } firstPaint;
  windows.MainForm.Game->installEventFilter(&firstPaint);
  windows.Show();
  return application.exec();
}

// A board whose cells the benchmark may fill.
class TBenchPan : public TViltronPan {
public:
  // Numbers on every cell, the knight on the last one.
  void FillWithNumbers()
  {
    const int n = Size();
    for (int x = 0; x < n; ++x)
      for (int y = 0; y < n; ++y)
        FBoard[x][y] = static_cast<uint16_t>(x * n + y + 1);
    FCount = static_cast<uint16_t>(n * n);
    FPosX = FPosY = static_cast<uint16_t>(n - 1);
    FState = gsPlay;
  }
};

// Child: prints the platform, the ratio, the median full repaint (ms), the
// allocations of one full repaint and the median redraw of one move (µs).
int RunPaint(int argc, char** argv)
{
  TApplication application(argc, argv);
  QApplication::setFont(WindowFont());
  TBenchPan pan;
  pan.setFont(WindowFont());
  pan.SetSize(100);
  pan.FillWithNumbers();
  pan.show();
  QElapsedTimer wait;
  wait.start();
  while (!pan.isVisible() || wait.elapsed() < 300)
    QCoreApplication::processEvents();

  std::vector<double> repaint;
  long long allocations = 0;
  for (int i = 0; i < RepaintRuns; ++i) {
    const long long before = Allocations;
    const long long t = Now();
    pan.Paint();
    repaint.push_back((Now() - t) / 1e6);
    allocations = Allocations - before;
  }
  // The knight's cell and the cell it left, with its number: what a move draws.
  std::vector<double> move;
  for (int i = 0; i < MoveRuns; ++i) {
    const long long t = Now();
    pan.DrawCell(99, 99);
    pan.DrawCell(97, 98);
    move.push_back((Now() - t) / 1e3);
  }
  std::printf("%s %.2f %.3f %lld %.1f\n", qPrintable(QGuiApplication::platformName()),
              pan.devicePixelRatioF(), Median(repaint), allocations, Median(move));
  return 0;
}

QProcessEnvironment ChildEnvironment(int ratio)
{
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(ratio));
  if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.contains(QStringLiteral("DISPLAY")))
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  return env;
}

// Runs this program in a child mode; returns its output, or "" on failure.
QByteArray Child(const char* self, const char* mode, int ratio, long long* started = nullptr)
{
  QProcess child;
  child.setProcessEnvironment(ChildEnvironment(ratio));
  child.setProcessChannelMode(QProcess::SeparateChannels);
  if (started)
    *started = Now();
  child.start(QString::fromLocal8Bit(self), {QString::fromLatin1(mode)});
  if (!child.waitForFinished(120000) || child.exitCode() != 0) {
    std::fprintf(stderr, "bench_ui: %s at %dx failed: %s\n", mode, ratio,
                 child.readAllStandardError().constData());
    return {};
  }
  return child.readAllStandardOutput().trimmed();
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc > 1 && std::strcmp(argv[1], "--start") == 0)
    return RunStart(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--paint") == 0)
    return RunPaint(argc, argv);
  QCoreApplication application(argc, argv);

  std::printf("%-5s %-10s %10s %10s %14s %14s %14s\n", "ratio", "platform", "start ms",
              "best ms", "repaint ms", "allocations", "move µs");
  for (int ratio : {1, 2}) {
    std::vector<double> start;
    for (int i = 0; i < StartRuns; ++i) {
      long long launched = 0;
      const QByteArray shown = Child(argv[0], "--start", ratio, &launched);
      if (shown.isEmpty())
        return 1;
      start.push_back((shown.toLongLong() - launched) / 1e6);
    }
    const QList<QByteArray> paint = Child(argv[0], "--paint", ratio).split(' ');
    if (paint.size() != 5)
      return 1;
    std::printf("%-5s %-10s %10.1f %10.1f %14s %14s %14s\n", paint[1].constData(),
                paint[0].constData(), Median(start), *std::min_element(start.begin(), start.end()),
                paint[2].constData(), paint[3].constData(), paint[4].constData());
  }
  return 0;
}
