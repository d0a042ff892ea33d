// The main window: the board-size selector and the window that fits the board.
//
// From 8 upwards the window grows by one cell per extra column and row; the
// sizes 5 and 7 are centred in the area of the 8 x 8 board. The arrows step
// 5 <-> 7 <-> 8 <-> 9 <-> ...; a size whose window would not fit the screen is
// refused.

#include <QLabel>
#include <algorithm>

#include "main/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "platform/StatusBar.h"
#include "platform/UpDown.h"

namespace {
// The saved-game file holds at most 100 x 100 cells.
constexpr int LargestSize = 100;
}

void TMainForm::CenterBoard(int16_t n)
{
  Game->SetSize(static_cast<uint8_t>(n));
  const int below = Panel2->y() + Panel2->height();
  Game->move((Client->width() - Game->width()) / 2,
             (Client->height() - below - Game->height() - StatusBar1->height()) / 2 + below);
}

void TMainForm::GrowWindow(int delta)
{
  SetClientSize(Client->width() + delta, Client->height() + delta);
  // The top-left corner stays, unless the grown window would leave the screen.
  if (delta > 0)
    KeepOnScreen(this);
}

bool TMainForm::WindowFits(int delta) const
{
  const QSize outer = frameGeometry().size();
  const QSize screen = ScreenSize();
  return screen.width() >= int16_t(outer.width() + delta) &&
         screen.height() >= int16_t(outer.height() + delta);
}

void TMainForm::ChangingEx(QObject*, bool& allowChange, int16_t newValue,
                           TUpDownDirection direction)
{
  const int cell = Game->SizeOfCell();
  // A game being loaded whose window would not fit the screen is refused
  // before anything changes, so that the game on the board is kept.
  if (Resizing && newValue > 8 &&
      !WindowFits((newValue - std::max<int>(Game->Size(), 8)) * cell)) {
    MessageDlg(tr("Не получается загрузить игру из-за низкого разрешения экрана."),
               mtError, {mbOK}, this);
    allowChange = false;
    return;
  }

  StatusBar1->SetPanelText(1, QString());
  StatusBar1->SetPanelText(3, QString());

  if (Resizing) {
    // A game being loaded: first back to the 8 x 8 layout.
    if (Game->Size() < 8) {
      CenterBoard(8);
    } else if (Game->Size() > 8) {
      GrowWindow(-(Game->Size() - 8) * cell);
      Game->SetSize(8);
    }
    if (newValue >= 5 && newValue <= 7)
      CenterBoard(newValue);
    if (newValue >= 5 && newValue <= 8)
      return;
  }

  const int delta = (newValue - Game->Size()) * cell;
  if (!WindowFits(delta)) {
    allowChange = false;
    return;
  }

  if ((newValue > 8 && newValue <= LargestSize) || (newValue == 8 && direction == updDown)) {
    Game->SetSize(static_cast<uint8_t>(newValue));
    GrowWindow(delta);
    return;
  }

  allowChange = false;
  switch (Game->Size()) {
    case 5:
      if (direction == updUp)
        CenterBoard(7);
      break;
    case 7:
      CenterBoard(direction == updUp ? 8 : 5);
      break;
    case 8:
      if (direction == updDown)
        CenterBoard(7);
      else
        UpDown1->SetPosition(9);
      break;
    default:
      break;
  }
  // The refused proposal leaves the control where the board now is: the next
  // step starts from the size shown, and a load of that size finds nothing
  // to change.
  UpDown1->Settle(Game->Size());
}
