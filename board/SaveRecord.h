#pragma once
// The saved-game file: one fixed record of 20016 bytes, little-endian, with no
// header. Encoding, decoding and moving one record to or from a named file;
// of the toolkit only Qt Core's QSaveFile is used, for the write.

#include <array>
#include <cstdint>
#include <string>

#include "board/Types.h"

// Smallest board the game offers, largest board a record holds, and the
// record's length in bytes.
constexpr int SaveRecordMinSize = 5;
constexpr int SaveRecordMaxSize = 100;
constexpr int SaveRecordBytes = 20016;

// Byte offsets of the fields. Cell (x, y) lies at SaveCellsAt + 200 x + 2 y.
constexpr int SaveSizeAt = 0;
constexpr int SaveCellsAt = 2;
constexpr int SavePosXAt = 20002;
constexpr int SavePosYAt = 20004;
constexpr int SaveCountAt = 20006;
constexpr int SaveFixed1At = 20008;
constexpr int SaveFixed2At = 20010;
constexpr int SaveFixed3At = 20012;
constexpr int SaveStateAt = 20014;

using TSaveBytes = std::array<uint8_t, SaveRecordBytes>;

// The record's fields. The fixed ones carry no information: a writer keeps
// the values below, a reader ignores them.
struct TSaveRecord {
  uint8_t Size = 0;
  uint16_t Cells[SaveRecordMaxSize][SaveRecordMaxSize] = {};  // [x][y]
  uint16_t PosX = 0;
  uint16_t PosY = 0;
  uint16_t Count = 0;
  uint8_t Fixed1 = 0;
  uint16_t Fixed2 = 0xFFFF;
  uint16_t Fixed3 = 122;
  uint8_t State = 0;
};

// Fills the record with the game on the n x n cells of board (n at most
// SaveRecordMaxSize, board covering n x n); the fixed fields keep their values.
void RecordGame(TSaveRecord& record, const TBoard& board, int n, uint16_t posX, uint16_t posY,
                uint16_t count, TGameState state);

// The record's bytes; padding is zero.
void EncodeSaveRecord(const TSaveRecord& record, TSaveBytes& bytes);
// The fields read back from bytes; padding is not looked at.
void DecodeSaveRecord(const TSaveBytes& bytes, TSaveRecord& record);

// True when the record is one the game can have written: a size from
// SaveRecordMinSize to SaveRecordMaxSize, a state a save can catch (gsPlay to
// gsShow; the search's own states never outlast the modal solver window), and
// a game on the Size x Size cells: the numbers 1 to Count each on one cell,
// every other cell 0, move k + 1 a knight's jump from move k, and the knight
// on the cell of move Count. With no move made every cell is 0 and the knight
// fields are not used, whatever they hold; a cleared board (gsNew) has no move.
bool IsUsableSaveRecord(const TSaveRecord& record);

// Writes the record to the named file, replacing it whole: the bytes go to a
// new file in the same folder, are flushed to the disk, and only then take
// the name, so the file of that name holds either its old content or the new
// record, whatever happens meanwhile; the folder is flushed after the rename,
// so that a save reported done is on the disk. A symbolic link is followed and stays.
// False, with nothing of the target changed, when the record's state is one
// of the search's own (gsThink, gsCancel, gsBest), when the target exists and is
// not a regular file (a folder, a named pipe, a device: nothing is opened for
// writing) or not one the user may write, or when the record cannot be
// written whole.
bool WriteSaveRecord(const std::string& fileName, const TSaveRecord& record);

// Reads the record of a saved game: the file must be a regular file whose
// length in whole records is exactly 1 (20016 to 40031 bytes; only the first
// record is read). False, with record untouched, when the file cannot be
// opened, has another length or cannot be read whole. The file is only read.
bool ReadSaveRecord(const std::string& fileName, TSaveRecord& record);
