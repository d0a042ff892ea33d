#pragma once
// Files and bytes for the suites on saved games: a whole file read or
// written, and the record's 16-bit little-endian numbers.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

// The file's bytes, or none when it cannot be read.
inline QByteArray ReadAll(const QString& path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces the file by the bytes; false when not all of them were written.
inline bool WriteAll(const QString& path, const QByteArray& bytes)
{
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(bytes) == bytes.size();
}

inline void Put16(QByteArray& bytes, int at, int value)
{
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline int Get16(const QByteArray& bytes, int at)
{
  return static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8;
}
