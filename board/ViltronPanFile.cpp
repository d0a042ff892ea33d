// The board component: the game saved to a file and loaded back.

#include <QFile>
#include <memory>

#include "board/SaveRecord.h"
#include "board/ViltronPan.h"

namespace {

std::string LocalName(const QString& fileName)
{
  return QFile::encodeName(fileName).toStdString();
}

}  // namespace

void TViltronPan::SaveToFile(const QString& fileName)
{
  // A record holds at most 100 x 100 cells: a larger board is not written,
  // and a file of that name keeps what it held.
  if (FSize > SaveRecordMaxSize || !BoardCovers(FBoard, FSize))
    return;
  const auto record = std::make_unique<TSaveRecord>();
  record->Size = FSize;
  record->PosX = FPosX;
  record->PosY = FPosY;
  record->Count = FCount;
  record->State = FState;
  for (int x = 0; x < FSize; ++x)
    for (int y = 0; y < FSize; ++y)
      record->Cells[x][y] = FBoard[x][y];
  // A failed save is not reported; the board stays as it is.
  WriteSaveRecord(LocalName(fileName), *record);
}

void TViltronPan::LoadFromFile(const QString& fileName)
{
  const auto record = std::make_unique<TSaveRecord>();
  // Not one whole record, or one no board can take: not a saved game, and
  // nothing changes (without a handler, silently).
  if (!ReadSaveRecord(LocalName(fileName), *record) || !IsUsableSaveRecord(*record)) {
    Fire(OnWrongFileType, this);
    return;
  }

  // The size first: the host's resize empties the board and resets the count.
  const uint8_t n = record->Size;
  FLoadedSize = n;
  if (FSize != n && OnResize)
    Fire(OnResize, this);
  if (FSize != n)
    return;

  // Position and count before the state, so that OnStart / OnStop see them.
  FPosX = record->PosX;
  FPosY = record->PosY;
  FCount = record->Count;
  const auto state = static_cast<TGameState>(record->State);
  SetState(state == gsShow ? gsPlay : state);
  // A state handler that resized the board has taken it over.
  if (FSize != n)
    return;

  // The cells after the state, which would clear them for gsNew.
  SetBoardSize(FBoard, n);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      FBoard[x][y] = record->Cells[x][y];
  Paint();
}
