#include "board/SaveRecord.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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

// The folder of a path, "." when it names none.
std::string FolderOf(const std::string& path)
{
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save replaces: a symbolic link is followed, so that the link
// stays and the file it points to gets the new record.
std::string ReplacedFile(const std::string& fileName)
{
  struct stat info {};
  if (::lstat(fileName.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
    return fileName;
  char resolved[PATH_MAX];
  return ::realpath(fileName.c_str(), resolved) ? std::string(resolved) : fileName;
}

// Creates a new, hidden file beside target for the record, named after it;
// mode as for open(). Returns the descriptor (or -1) and the file's name.
int CreateBeside(const std::string& target, mode_t mode, std::string& name)
{
  const size_t slash = target.rfind('/');
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  base.resize(std::min<size_t>(base.size(), 64));  // room for the suffix
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%d.%u.%lx.tmp", int(::getpid()), ++counter,
                  static_cast<unsigned long>(now.tv_nsec));
    name = FolderOf(target) + "/." + base + suffix;
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  return -1;
}

// Flushes a folder's entries, so that a rename in it survives a power loss.
void SyncFolder(const std::string& folder)
{
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
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
  const int n = record.Size;
  if (n < SaveRecordMinSize || n > SaveRecordMaxSize || record.State > gsShow ||
      record.Count > n * n)
    return false;
  return record.Count == 0 || (record.PosX < n && record.PosY < n);
}

bool WriteSaveRecord(const std::string& fileName, const TSaveRecord& record)
{
  const std::string target = ReplacedFile(fileName);
  // Only a regular file the user may write is replaced; a folder, a named
  // pipe or a device is refused before anything is opened (a pipe would
  // block the open).
  struct stat info {};
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (exists && (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0))
    return false;
  if (!exists && errno != ENOENT)
    return false;

  std::string temporary;
  const int fd = CreateBeside(target, exists ? (info.st_mode & 07777) : 0666, temporary);
  if (fd < 0)
    return false;
  if (exists) {
    // The new file keeps the old one's rights and, where allowed, its owner.
    ::fchmod(fd, info.st_mode & 07777);
    if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
      // Someone else's file becomes ours; the save goes on.
    }
  }
  TSaveBytes bytes;
  EncodeSaveRecord(record, bytes);
  const bool written = MoveWhole(bytes.size(), [&](size_t done) {
    return ::write(fd, bytes.data() + done, bytes.size() - done);
  }) && ::fsync(fd) == 0;
  if (!written) {
    CloseQuietly(fd);
    ::unlink(temporary.c_str());
    return false;
  }
  if (::close(fd) != 0 || ::rename(temporary.c_str(), target.c_str()) != 0) {
    const int saved = errno;
    ::unlink(temporary.c_str());
    errno = saved;
    return false;
  }
  SyncFolder(FolderOf(target));
  return true;
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
