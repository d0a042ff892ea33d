#pragma once
// The board component: one square board of Size x Size cells with the game on
// it. It paints itself, turns mouse presses into knight moves, searches and
// replays tours, and reports to its host only through its events.

#include <QAccessible>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSet>
#include <QVector>
#include <QWidget>
#include <functional>

#include "board/BoardModel.h"
#include "board/DigitSprites.h"
#include "platform/Cursors.h"

// A notification that receives only its sender.
using TNotifyEvent = std::function<void(QObject* sender)>;

class QPainter;

class TViltronPan : public QWidget, public TBoardModel {
  Q_OBJECT

public:
  explicit TViltronPan(QWidget* owner = nullptr);
  ~TViltronPan() override;

  // Events; an unassigned one is skipped.
  TNotifyEvent OnStart;
  TNotifyEvent OnStop;
  TNotifyEvent OnWin;
  TNotifyEvent OnLose;
  TNotifyEvent OnError;
  TNotifyEvent OnMove;
  TNotifyEvent OnStopThinking;
  TNotifyEvent OnResize;
  TNotifyEvent OnWrongFileType;

  // Colours, as 0x00BBGGRR; a new colour shows at the next painting of a cell.
  TColor LightColor() const { return FLightColor; }
  void SetLightColor(TColor value) { FLightColor = value; }
  TColor DarkColor() const { return FDarkColor; }
  void SetDarkColor(TColor value) { FDarkColor = value; }
  TColor LightFontColor() const { return FLightFontColor; }
  void SetLightFontColor(TColor value) { FLightFontColor = value; }
  TColor DarkFontColor() const { return FDarkFontColor; }
  void SetDarkFontColor(TColor value) { FDarkFontColor = value; }

  // Cells per side; writing it empties the board and puts it into gsNew.
  void SetSize(uint8_t value);
  // Edge of one cell in pixels.
  uint8_t SizeOfCell() const { return FSizeOfCell; }
  void SetSizeOfCell(uint8_t value);

  // The pointer shape over the board, by number (crKnight, crHandPoint ...).
  int Cursor() const { return FCursor; }
  void SetCursor(int number);

  // Changes the state: raises OnStart / OnStop, sets the cursor and, for
  // gsNew, clears and repaints the board; the state is stored last.
  void SetState(TGameState state);

  // Painting: every cell, or one cell at once.
  void Paint();
  void DrawCell(uint16_t x, uint16_t y);

  // A press over the board at pixel (X, Y); buttons and keys are not looked at.
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int X, int Y);

  // The keyboard cursor: the cell that Enter and Space play. Until a key
  // places it in a game it stands on the knight, or on the top-left cell
  // before the first move.
  QPoint KeyCursor() const;
  // Whether the board shows the cursor's frame: while it has the focus and a
  // key has moved or played the cursor since the last mouse press on it.
  bool KeyFrameShown() const;

  // What a screen reader calls a cell, such as «столбец 3, строка 5, ход 12».
  QString CellName(int x, int y) const;
  // A cell's place alone, «столбец 3, строка 5».
  static QString PlaceName(int x, int y);

  // Marks on cells that the prover blames; `word` ends their accessible
  // names. They go at the next move, a new game, a load or a size change.
  void SetMarks(const QVector<QPoint>& cells, const QString& word);
  void ClearMarks();
  bool IsMarked(int x, int y) const;
  // Shows a full tour found elsewhere and ends the game, as a solve does.
  void ShowTour(const TSolution& tour);

  // What Say last told readers.
  const QString& News() const { return FNews; }

  // Tells a screen reader, once, what the player's last command did: every
  // command that changes the game calls it with a few words. While a modal
  // window is up (a progress window, a message box) it waits and is told
  // when the board next gets the focus; a newer text replaces a waiting one.
  void Say(const QString& text);
  // What Say tells of a move: the knight's cell and its move, «столбец 4,
  // строка 3, ход 2».
  QString MoveSaying() const;
  // What Say tells after a move was taken back from (x, y): the freed cell
  // and where the knight stands now, «столбец 4, строка 3, свободна; конь:
  // столбец 2, строка 1», or that no move is left.
  QString TakeBackSaying(int x, int y) const;
  // The board's size and count, as after a new game or a load: «Доска 5 × 5,
  // ходов нет».
  QString BoardSaying() const { return Description(); }

  // What the board shows on screen (cells drawn by DrawCell appear at once).
  const QImage& Picture() const { return FPicture; }

  // Solve commands.
  void SolveAll();
  void PrepareShow();
  void ShowNextMove();
  void Hint();

  // Takes the latest move back (a game over is reopened; taking back the only
  // move leaves a new game's empty board), and plays the next move taken back
  // again exactly as a press on its cell. False when there is none to take
  // back or play again.
  bool TakeBack();
  bool Redo();

  // Saved games: writes the game to a file of one record, replacing the file
  // whole, and tells whether it did (showing nothing); reads one back,
  // raising OnResize / OnWrongFileType as needed.
  bool SaveToFile(const QString& fileName);
  void LoadFromFile(const QString& fileName);

signals:
  // The game on the board changed: a move, a move taken back, a state, a
  // size or a load.
  void GameChanged();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void ProcessMessages() override;
  void LoadRefused() override;
  void LoadAsksSize() override;
  void RestoreState(TGameState state) override;
  void LoadShown() override;

private:
  friend class TBoardAccessible;
  // Registers the accessible object of boards with Qt, once.
  static void ServeScreenReaders();

  static void Fire(const TNotifyEvent& event, QObject* sender);
  // The press on cell (x, y) that a mouse press or a key makes: a move when
  // it is legal, OnError when it is not, nothing outside gsNew and gsPlay.
  void PressCell(int x, int y);
  // The end of a game after a move: with no free jump left for the knight,
  // OnWin on a full board, OnLose otherwise, then gsStop.
  void EndIfStuck();
  // Whether the knight can jump to (x, y) now: a game runs, the knight is on
  // the board and the cell is free.
  bool CanJumpTo(int x, int y) const;
  // The cell after `from` among those the knight can jump to now, in the
  // order of KnightMoves and round again (step 1), or before it (step -1);
  // `from` itself when there are none.
  QPoint NextChoice(QPoint from, int step) const;
  void FitToCells();
  // The search phase shared by the solve commands: gsThink, the search, then
  // OnStopThinking before the board is changed.
  void ThinkAndNotify();
  void PlaceFirstMoveOfBest();
  // Draws one cell into the picture without showing it.
  void DrawCellInto(QPainter& painter, uint16_t x, uint16_t y);
  void PaintInto();
  void Show(const QRect& rect);
  // The keyboard cursor's frame, drawn over its cell.
  QRect KeyCursorRect() const;
  void DrawKeyFrame(QPainter& painter);
  // The cell whose frame is on screen, or (-1, -1); `focused` as given.
  QPoint KeyFrameCell(bool focused) const;
  // Redraws the frame's old cell `before` and its new one, where they differ.
  void RedrawKeyFrame(QPoint before);
  // Makes the picture, the knight and the digits for the screen's pixel
  // ratio, so that a high-density screen shows them at its own resolution.
  void FitPictureToScreen();

  // What a screen reader says of the board: "Доска 8 × 8, ход 10, конь:
  // столбец 3, строка 5". Announce publishes it when it has changed, with
  // the cell names that changed and the keyboard cursor's cell.
  QString Description() const;
  void Announce();

  // What a cell's name says besides its place. While a search runs, only
  // its place is said: the board holds trial walks then.
  struct TCellSays {
    uint16_t Number = 0;  // the move shown on it, 0 when free
    bool Knight = false;
    bool Choice = false;  // the knight can jump there now
    bool Hidden = false;  // a search runs
    bool Marked = false;  // blamed by the prover
    bool operator==(const TCellSays&) const = default;
  };
  TCellSays CellSays(int x, int y) const;
  // A reader's object for cell (x, y), made on its first request; null off
  // the board.
  QAccessibleInterface* MadeCell(int x, int y);
  // Deletes every cell object made (the size changed, or the board goes).
  void ForgetCells();
  void AnnounceCellNames();
  // Tells readers the cursor's cell is focused, when it has become so.
  void AnnounceKeyCursor();
  // Tells readers that a cell now shows, or no longer does.
  static void ShowCell(QAccessible::Id id, bool shown);
  // Sends the text waiting to be said as news about the cursor's cell.
  void SayWaiting();

  TColor FDarkColor = 0x000000;
  TColor FLightColor = 0xFFFFFF;
  TColor FLightFontColor = 0xFFFFFF;
  TColor FDarkFontColor = 0x000000;
  uint8_t FSizeOfCell = 25;
  int FCursor = crDefault;

  QImage FPicture;          // what the board shows; the paint event copies it
  QImage FKnightArt;        // the knight picture at its own size
  QImage FKnight;           // the same at the screen's pixel ratio
  TDigitSprites FDigits;    // the numbers, pre-drawn per colour pair
  bool FShowing = false;    // a repaint of ours is in progress

  // What the published description says: size, move count and knight's cell.
  struct TSpoken {
    int Size = -1;
    int Count = -1;
    int X = -1;
    int Y = -1;
    bool operator==(const TSpoken&) const = default;
  };
  TSpoken FSpoken;

  // The keyboard cursor where a key placed it in this game.
  QPoint FKeyCursor;
  bool FKeyCursorPlaced = false;
  bool FKeysUsed = false;  // since the last mouse press
  // The cell last announced as focused; (-1, -1) while the board has no focus.
  QPoint FSpokenKeyCursor{-1, -1};
  // Said by Say: the text waiting for the focus, the one told last and the
  // readers' object that tells it (0 until first needed).
  QString FToSay;
  QString FNews;
  QAccessible::Id FNewsId = 0;
  // The focus has come and its cell is not announced yet.
  bool FFocusArriving = false;

  // Cell objects made for readers, by y * Size + x: their ids in Qt's
  // accessibility cache and what their names said when last announced.
  struct TMadeCell {
    QAccessible::Id Id;
    TCellSays Said;
  };
  QHash<int, TMadeCell> FMadeCells;

  // Marked cells by y * Size + x, and what their names end with.
  QSet<int> FMarks;
  QString FMarkWord;
  // Draws a mark over its cell.
  void DrawMark(QPainter& painter, int x, int y) const;
};
