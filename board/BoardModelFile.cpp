// The game on one board saved to a file and loaded back.

#include <memory>

#include "board/BoardModel.h"
#include "board/SaveRecord.h"

bool TBoardModel::SaveGame(const std::string& fileName) const
{
  return SaveGame(fileName, FState);
}

bool TBoardModel::SaveGame(const std::string& fileName, TGameState state) const
{
  // A record holds at most 100 x 100 cells: a larger board is not written,
  // and a file of that name keeps what it held.
  if (FSize > SaveRecordMaxSize || !BoardCovers(FBoard, FSize))
    return false;
  const auto record = std::make_unique<TSaveRecord>();
  RecordGame(*record, FBoard, FSize, FPosX, FPosY, FCount, state);
  return WriteSaveRecord(fileName, *record);
}

void TBoardModel::RestoreState(TGameState state)
{
  if (state == gsNew)
    ClearBoard();
  FState = state;
}

void TBoardModel::LoadGame(const std::string& fileName)
{
  const auto record = std::make_unique<TSaveRecord>();
  // Not one whole record, or one this game cannot have written: not a saved
  // game, and nothing changes.
  if (!ReadSaveRecord(fileName, *record) || !IsUsableSaveRecord(*record)) {
    LoadRefused();
    return;
  }

  // The size first: the host's resize empties the board and resets the count.
  const uint8_t n = record->Size;
  FLoadedSize = n;
  if (FSize != n)
    LoadAsksSize();
  if (FSize != n)
    return;

  // Position and count before the state, so that the state's events see them.
  FPosX = record->PosX;
  FPosY = record->PosY;
  FCount = record->Count;
  const auto state = static_cast<TGameState>(record->State);
  RestoreState(state == gsShow ? gsPlay : state);
  // A state handler that resized the board has taken it over.
  if (FSize != n)
    return;

  // The cells after the state, which would clear them for gsNew.
  SetBoardSize(FBoard, n);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      FBoard[x][y] = record->Cells[x][y];
  FRedo.clear();
  LoadShown();
}
