#include "board/SaveRecord.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "board/KnightMoves.h"

namespace {

void Put16(TSaveBytes& bytes, int at, uint16_t value)
{
  bytes[at] = static_cast<uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

uint16_t Get16(const TSaveBytes& bytes, int at)
{
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// No cell holds this move number (yet).
constexpr uint16_t NoCell = 0xFFFF;

int CellAt(int x, int y)
{
  return SaveCellsAt + 2 * SaveRecordMaxSize * x + 2 * y;
}

// Reads the whole record; a read cut short by a signal goes on where it
// stopped.
bool ReadWhole(int fd, TSaveBytes& bytes)
{
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Flushes the folder that holds the named file (a link's target's folder),
// so that a rename into it survives a power cut. A folder the user may write
// but not read cannot be opened to flush it, and some file systems cannot
// flush folders at all: the rename stands there as it is. Windows keeps a
// folder's entries in the file system's journal and has no flush for them.
bool FlushFolderOf([[maybe_unused]] const std::string& fileName)
{
#ifdef _WIN32
  return true;
#else
  char* real = ::realpath(fileName.c_str(), nullptr);
  if (!real)
    return false;
  std::string folder(real);
  std::free(real);
  folder.erase(std::max<size_t>(folder.rfind('/'), 1));
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return errno == EACCES;
  const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
  ::close(fd);
  return flushed;
#endif
}

// A state a save can catch: gsPlay to gsShow. The search's own states never
// outlast the modal solver window.
bool IsSavedState(uint8_t state)
{
  return state <= gsShow;
}

}  // namespace

void RecordGame(TSaveRecord& record, const TBoard& board, int n, uint16_t posX, uint16_t posY,
                uint16_t count, TGameState state)
{
  record.Size = static_cast<uint8_t>(n);
  record.PosX = posX;
  record.PosY = posY;
  record.Count = count;
  record.State = state;
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      record.Cells[x][y] = board[x][y];
}

void EncodeSaveRecord(const TSaveRecord& record, TSaveBytes& bytes)
{
  bytes.fill(0);
  bytes[SaveSizeAt] = record.Size;
  for (int x = 0; x < SaveRecordMaxSize; ++x)
    for (int y = 0; y < SaveRecordMaxSize; ++y)
      Put16(bytes, CellAt(x, y), record.Cells[x][y]);
  Put16(bytes, SavePosXAt, record.PosX);
  Put16(bytes, SavePosYAt, record.PosY);
  Put16(bytes, SaveCountAt, record.Count);
  bytes[SaveFixed1At] = record.Fixed1;
  Put16(bytes, SaveFixed2At, record.Fixed2);
  Put16(bytes, SaveFixed3At, record.Fixed3);
  bytes[SaveStateAt] = record.State;
}

void DecodeSaveRecord(const TSaveBytes& bytes, TSaveRecord& record)
{
  record.Size = bytes[SaveSizeAt];
  for (int x = 0; x < SaveRecordMaxSize; ++x)
    for (int y = 0; y < SaveRecordMaxSize; ++y)
      record.Cells[x][y] = Get16(bytes, CellAt(x, y));
  record.PosX = Get16(bytes, SavePosXAt);
  record.PosY = Get16(bytes, SavePosYAt);
  record.Count = Get16(bytes, SaveCountAt);
  record.Fixed1 = bytes[SaveFixed1At];
  record.Fixed2 = Get16(bytes, SaveFixed2At);
  record.Fixed3 = Get16(bytes, SaveFixed3At);
  record.State = bytes[SaveStateAt];
}

bool IsUsableSaveRecord(const TSaveRecord& record)
{
  const int n = record.Size;
  const int count = record.Count;
  if (n < SaveRecordMinSize || n > SaveRecordMaxSize || !IsSavedState(record.State) || count > n * n)
    return false;
  // A cleared board holds no move; the load would wipe the count, not the cells.
  if (record.State == gsNew && count != 0)
    return false;

  // Where each move number stands, x * n + y; the numbers 1 to count, each once.
  std::array<uint16_t, SaveRecordMaxSize * SaveRecordMaxSize + 1> cellOf;
  std::fill_n(cellOf.begin(), count + 1, NoCell);
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y) {
      const int k = record.Cells[x][y];
      if (k == 0)
        continue;
      if (k > count || cellOf[k] != NoCell)
        return false;
      cellOf[k] = static_cast<uint16_t>(x * n + y);
    }
  if (count == 0)
    return true;  // the knight fields are not used
  for (int k = 1; k <= count; ++k) {
    if (cellOf[k] == NoCell)
      return false;
    const int at = cellOf[k];
    const int from = cellOf[k - 1];
    if (k > 1 && !IsKnightJump(at / n - from / n, at % n - from % n))
      return false;
  }
  return record.PosX < n && record.PosY < n && record.PosX * n + record.PosY == cellOf[count];
}

bool WriteSaveRecord(const std::string& fileName, const TSaveRecord& record)
{
  // A search's own states are no game to save: the loader would refuse it.
  if (!IsSavedState(record.State))
    return false;
  // Only a regular file the user may write is replaced; a folder, a named
  // pipe or a device is refused before anything is opened (a pipe would
  // block an open, and QSaveFile would put a file in its place).
  struct stat info {};
  const bool exists = ::stat(fileName.c_str(), &info) == 0;
  if (exists && (!S_ISREG(info.st_mode) || ::access(fileName.c_str(), W_OK) != 0))
    return false;
  if (!exists && errno != ENOENT)  // a link loop, say: QSaveFile would replace the link
    return false;

  // QSaveFile follows a symbolic link to the file it names, writes a new file
  // in that folder with the old one's rights, flushes it and only then renames
  // it over the old one; one not committed is discarded.
  QSaveFile file(QFile::decodeName(fileName.c_str()));
  if (!file.open(QIODevice::WriteOnly))
    return false;
#ifndef _WIN32  // Windows files have no owner and group to hand on
  if (exists && ::fchown(file.handle(), info.st_uid, info.st_gid) != 0) {
    // Someone else's file becomes ours; the save goes on.
  }
#endif
  TSaveBytes bytes;
  EncodeSaveRecord(record, bytes);
  // A write cut short by a file size limit is no error to QSaveFile.
  const qint64 length = qint64(bytes.size());
  return file.write(reinterpret_cast<const char*>(bytes.data()), length) == length &&
         file.commit() && FlushFolderOf(fileName);
}

bool ReadSaveRecord(const std::string& fileName, TSaveRecord& record)
{
  // Read access is all a load needs, so a read-only saved game loads too.
  // Non-blocking, so that a pipe or device by the name cannot hang the open.
#ifdef _WIN32
  // Windows opens no pipe by a file name; its default is text mode.
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_BINARY | O_NOINHERIT);
#else
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
#endif
  if (fd < 0)
    return false;
  struct stat info {};
  TSaveBytes bytes;
  const bool read = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                    info.st_size / SaveRecordBytes == 1 && ReadWhole(fd, bytes);
  ::close(fd);
  if (read)
    DecodeSaveRecord(bytes, record);
  return read;
}
