// The board component: the game saved to a file and loaded back, with the
// events and the painting of a load.

#include <QFile>

#include "board/ViltronPan.h"

namespace {

std::string LocalName(const QString& fileName)
{
  return QFile::encodeName(fileName).toStdString();
}

}  // namespace

bool TViltronPan::SaveToFile(const QString& fileName)
{
  return SaveGame(LocalName(fileName));
}

void TViltronPan::LoadFromFile(const QString& fileName)
{
  LoadGame(LocalName(fileName));
}

void TViltronPan::LoadRefused()
{
  Fire(OnWrongFileType, this);
}

void TViltronPan::LoadAsksSize()
{
  Fire(OnResize, this);
}

void TViltronPan::RestoreState(TGameState state)
{
  SetState(state);
}

void TViltronPan::LoadShown()
{
  // A loaded game is a new game for the keyboard cursor too.
  FKeyCursorPlaced = false;
  FMarks.clear();
  Paint();
  Say(BoardSaying());
  emit GameChanged();
}
