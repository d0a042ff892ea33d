// The board component: what screen readers are told about the board. They
// see a table of Size x Size named cells; the keyboard cursor's cell is the
// focused one. A cell's object is made only when a reader asks for it, and it
// is no QObject, so a board of 100 x 100 costs nothing until it is read.

#include <QAccessibleWidget>
#include <QApplication>
#include <utility>

#include "board/KnightMoves.h"
#include "board/ViltronPan.h"

namespace {

// A part of the board that readers see as an object of its own, without
// children. It has no QObject, so that events about it name the part.
class TBoardPart : public QAccessibleInterface {
public:
  explicit TBoardPart(TViltronPan* pan) : FPan(pan) {}

  QObject* object() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override
  {
    return QAccessible::queryAccessibleInterface(FPan);
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  void setText(QAccessible::Text, const QString&) override {}

protected:
  TViltronPan* FPan;
};

// One cell as a reader sees it. Registered with Qt's accessibility cache when
// made; the board deletes it when its size changes or the board goes.
class TCellAccessible : public TBoardPart, public QAccessibleTableCellInterface {
public:
  TCellAccessible(TViltronPan* pan, int x, int y) : TBoardPart(pan), FX(x), FY(y) {}

  bool isValid() const override { return OnBoard(FX, FY, FPan->Size()); }
  QString text(QAccessible::Text t) const override
  {
    return t == QAccessible::Name ? FPan->CellName(FX, FY) : QString();
  }
  QRect rect() const override
  {
    const int w = FPan->SizeOfCell();
    return QRect(FPan->mapToGlobal(QPoint(FX * w, FY * w)), QSize(w, w));
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override
  {
    QAccessible::State state;
    state.focusable = true;
    const bool cursor = FPan->KeyCursor() == QPoint(FX, FY);
    state.focused = FPan->hasFocus() && cursor;
    state.invisible = !FPan->isVisible();
    // While the player is on the board, readers are shown the cursor's cell
    // alone: a reader such as Orca reads every showing cell of a row when
    // the cursor changes rows, up to 100 of them.
    state.offscreen = FPan->hasFocus() && !cursor;
    return state;
  }
  void* interface_cast(QAccessible::InterfaceType type) override
  {
    return type == QAccessible::TableCellInterface
               ? static_cast<QAccessibleTableCellInterface*>(this)
               : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return FX; }
  int rowIndex() const override { return FY; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

  const TViltronPan* Pan() const { return FPan; }

private:
  int FX;
  int FY;
};

// What the board says through Say, as readers see it: a notification named
// by the text, which the board shows each time it says something. Readers
// such as Orca speak a notification when it shows. It is no child of the
// board, so that a reader walking the board meets only its cells.
class TNewsAccessible : public TBoardPart {
public:
  using TBoardPart::TBoardPart;

  bool isValid() const override { return true; }
  QString text(QAccessible::Text t) const override
  {
    return t == QAccessible::Name ? FPan->News() : QString();
  }
  QRect rect() const override { return {}; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }
};

}  // namespace

// The board as a reader sees it: a table whose rows are the board's rows
// from the top and whose columns are its columns from the left.
class TBoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  explicit TBoardAccessible(TViltronPan* pan) : QAccessibleWidget(pan, QAccessible::Table) {}

  void* interface_cast(QAccessible::InterfaceType type) override
  {
    if (type == QAccessible::TableInterface)
      return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int index) const override
  {
    const int n = columnCount();
    return index >= 0 && index < n * n ? cellAt(index / n, index % n) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override
  {
    const auto* cell = dynamic_cast<const TCellAccessible*>(child);
    if (!cell || cell->Pan() != Pan() || !cell->isValid())
      return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
  }
  QAccessibleInterface* childAt(int x, int y) const override
  {
    const QPoint at = Pan()->mapFromGlobal(QPoint(x, y));
    if (!Pan()->rect().contains(at))
      return nullptr;
    const int w = Pan()->SizeOfCell();
    return cellAt(at.y() / w, at.x() / w);
  }
  QAccessibleInterface* focusChild() const override
  {
    if (!Pan()->hasFocus())
      return nullptr;
    const QPoint cell = Pan()->KeyCursor();
    return cellAt(cell.y(), cell.x());
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override
  {
    return Pan()->MadeCell(column, row);
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Pan()->Size(); }
  int rowCount() const override { return Pan()->Size(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // The board resets its cells itself when its size changes.
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
  TViltronPan* Pan() const { return static_cast<TViltronPan*>(widget()); }
};

void TViltronPan::ServeScreenReaders()
{
  static const bool installed = [] {
    QAccessible::installFactory([](const QString& key, QObject* object) -> QAccessibleInterface* {
      if (key == QLatin1String("TViltronPan") && object && object->isWidgetType())
        return new TBoardAccessible(static_cast<TViltronPan*>(object));
      return nullptr;
    });
    return true;
  }();
  Q_UNUSED(installed);
}

QString TViltronPan::Description() const
{
  const QString board = tr("Доска %1 × %1").arg(FSize);
  if (FCount == 0)
    return board + tr(", ходов нет");
  // Columns and rows are counted from 1, as people count them.
  return board + tr(", ход %1, конь: столбец %2, строка %3")
                     .arg(FCount)
                     .arg(FPosX + 1)
                     .arg(FPosY + 1);
}

TViltronPan::TCellSays TViltronPan::CellSays(int x, int y) const
{
  TCellSays says;
  if (FState == gsThink) {
    says.Hidden = true;
    return says;
  }
  // As painted: with no move made, every cell is bare.
  says.Number = FCount != 0 ? FBoard[x][y] : 0;
  says.Knight = says.Number != 0 && says.Number == FCount;
  says.Choice = CanJumpTo(x, y);
  says.Marked = IsMarked(x, y);
  return says;
}

QString TViltronPan::CellName(int x, int y) const
{
  QString name = PlaceName(x, y);
  const TCellSays says = CellSays(x, y);
  if (says.Hidden)
    return name;
  if (says.Number != 0) {
    //: %1 is the cell's place, %2 the number of the move that reached it.
    name = tr("%1, ход %2").arg(name, QString::number(says.Number));
    if (says.Knight) {
      //: %1 is the cell's place and move; the knight stands there.
      name = tr("%1, конь").arg(name);
    }
  } else {
    //: %1 is the cell's place; no move has reached the cell.
    name = tr("%1, свободна").arg(name);
    if (says.Choice) {
      //: %1 is a free cell's name; the knight can jump there now.
      name = tr("%1, можно пойти").arg(name);
    }
  }
  if (says.Marked)
    name += QStringLiteral(", ") + FMarkWord;
  return name;
}

QString TViltronPan::PlaceName(int x, int y)
{
  //: A cell of the board: its column from the left and its row from the
  //: top, counted from 1.
  return tr("столбец %1, строка %2").arg(x + 1).arg(y + 1);
}

QAccessibleInterface* TViltronPan::MadeCell(int x, int y)
{
  if (!OnBoard(x, y, FSize))
    return nullptr;
  const int index = y * FSize + x;
  if (const auto made = FMadeCells.constFind(index); made != FMadeCells.cend())
    if (QAccessibleInterface* cell = QAccessible::accessibleInterface(made->Id))
      return cell;
  auto* cell = new TCellAccessible(this, x, y);
  FMadeCells.insert(index, {QAccessible::registerAccessibleInterface(cell), CellSays(x, y)});
  return cell;
}

void TViltronPan::ForgetCells()
{
  for (const TMadeCell& made : std::as_const(FMadeCells))
    QAccessible::deleteAccessibleInterface(made.Id);
  FMadeCells.clear();
}

void TViltronPan::AnnounceCellNames()
{
  for (auto made = FMadeCells.begin(); made != FMadeCells.end(); ++made) {
    const TCellSays says = CellSays(made.key() % FSize, made.key() / FSize);
    if (says == made->Said)
      continue;
    made->Said = says;
    if (QAccessibleInterface* cell = QAccessible::accessibleInterface(made->Id)) {
      QAccessibleEvent event(cell, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&event);
    }
  }
}

void TViltronPan::AnnounceKeyCursor()
{
  if (FState == gsThink)
    return;
  const QPoint focused = hasFocus() ? KeyCursor() : QPoint(-1, -1);
  if (focused == FSpokenKeyCursor)
    return;
  const QPoint before = std::exchange(FSpokenKeyCursor, focused);
  if (!QAccessible::isActive())
    return;
  // Readers keep what they were told a cell shows: they hear when the
  // cursor's cell alone shows (the player is on the board) and when every
  // cell shows again.
  if (before.x() < 0 || focused.x() < 0) {
    for (auto made = FMadeCells.cbegin(); made != FMadeCells.cend(); ++made)
      if (made.key() != focused.y() * FSize + focused.x())
        ShowCell(made->Id, focused.x() < 0);
  } else if (const auto made = FMadeCells.constFind(before.y() * FSize + before.x());
             made != FMadeCells.cend()) {
    ShowCell(made->Id, false);
  }
  if (focused.x() < 0)
    return;
  if (QAccessibleInterface* cell = MadeCell(focused.x(), focused.y())) {
    ShowCell(QAccessible::uniqueId(cell), true);
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
  }
}

void TViltronPan::ShowCell(QAccessible::Id id, bool shown)
{
  if (QAccessibleInterface* cell = QAccessible::accessibleInterface(id)) {
    QAccessibleEvent event(cell, shown ? QAccessible::ObjectShow : QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&event);
  }
}

void TViltronPan::Say(const QString& text)
{
  FToSay = text;
  // Said now unless the board is getting the focus or a modal window (a
  // progress window, a message box) is up: when that closes, the reader
  // speaks the focus first.
  if (!FFocusArriving && !QApplication::activeModalWidget())
    SayWaiting();
}

void TViltronPan::SayWaiting()
{
  if (FToSay.isEmpty())
    return;
  // The text stays the notification's name: a reader asks for it after the
  // event, when it handles it.
  FNews = std::exchange(FToSay, QString());
  if (!QAccessible::isActive())
    return;
  QAccessibleInterface* news = QAccessible::accessibleInterface(FNewsId);
  if (!news) {
    news = new TNewsAccessible(this);
    FNewsId = QAccessible::registerAccessibleInterface(news);
  }
  QAccessibleEvent event(news, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&event);
}

QString TViltronPan::MoveSaying() const
{
  if (FCount == 0)
    return Description();
  //: Said after a move: the knight's cell and the number of its move.
  return tr("%1, ход %2").arg(PlaceName(FPosX, FPosY), QString::number(FCount));
}

QString TViltronPan::TakeBackSaying(int x, int y) const
{
  //: %1 is the cell a move was taken back from.
  const QString freed = tr("%1, свободна").arg(PlaceName(x, y));
  if (FCount == 0)
    return freed + tr(", ходов нет");
  //: Said after a move is taken back: %1 the freed cell, %2 the knight's.
  return tr("%1; конь: %2").arg(freed, PlaceName(FPosX, FPosY));
}

void TViltronPan::Announce()
{
  // During a search the board holds trial walks that are not shown: the
  // player hears the position from before the search until it is shown.
  if (FState == gsThink)
    return;
  AnnounceCellNames();
  AnnounceKeyCursor();
  const bool knight = FCount != 0;
  const TSpoken now{FSize, FCount, knight ? FPosX : -1, knight ? FPosY : -1};
  if (now == FSpoken)
    return;
  FSpoken = now;
  // Sends QAccessible::DescriptionChanged itself, once per change.
  setAccessibleDescription(Description());
}
