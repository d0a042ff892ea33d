#include "board/SaveRecord.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

int CellAt(int x, int y)
{
  return SaveCellsAt + 2 * SaveRecordMaxSize * x + 2 * y;
}

// Closes fd, keeping errno of the operation that failed before.
void CloseQuietly(int fd)
{
  const int saved = errno;
  ::close(fd);
  errno = saved;
}

// Moves the whole buffer with step (a read or a write of the rest from an
// offset); a step cut short by a signal goes on where it stopped.
template <class Step>
bool MoveWhole(size_t size, Step step)
{
  size_t done = 0;
  while (done < size) {
    const ssize_t n = step(done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

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
  return record.Size >= 1 && record.Size <= SaveRecordMaxSize && record.State <= gsBest;
}

bool WriteSaveRecord(const std::string& fileName, const TSaveRecord& record)
{
  TSaveBytes bytes;
  EncodeSaveRecord(record, bytes);
  const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  if (!MoveWhole(bytes.size(), [&](size_t done) {
        return ::write(fd, bytes.data() + done, bytes.size() - done);
      })) {
    CloseQuietly(fd);
    return false;
  }
  return ::close(fd) == 0;
}

bool ReadSaveRecord(const std::string& fileName, TSaveRecord& record)
{
  // Read access is all a load needs, so a read-only saved game loads too.
  // Non-blocking, so that a pipe or device by the name cannot hang the open.
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_size / SaveRecordBytes != 1) {
    CloseQuietly(fd);
    return false;
  }
  TSaveBytes bytes;
  if (!MoveWhole(bytes.size(), [&](size_t done) {
        return ::read(fd, bytes.data() + done, bytes.size() - done);
      })) {
    CloseQuietly(fd);
    return false;
  }
  ::close(fd);
  DecodeSaveRecord(bytes, record);
  return true;
}
