#pragma once
// Short WAVE clips compiled into the program, played by name.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <stdexcept>

class QSoundEffect;

// Raised when a clip asked for is not among the program's resources.
class EResNotFound : public std::runtime_error {
public:
  EResNotFound();
};

class TSoundBank : public QObject {
public:
  // Loads every clip found in the resource folder (":/sounds" in the program).
  explicit TSoundBank(const QString& folder, QObject* parent = nullptr);

  // Plays the clip of this name (letter case does not matter) without waiting
  // for it; a clip still playing is cut off. Raises EResNotFound.
  void Play(const QString& name);

  // The name of the clip started last, for checks; empty before the first.
  QString LastPlayed() const { return FLastPlayed; }

private:
  // Windows plays the WAVE file's bytes itself; elsewhere Qt Multimedia does.
#ifdef Q_OS_WIN
  using TClip = QByteArray;
#else
  using TClip = QSoundEffect*;
#endif
  // Both in the platform's own source file.
  TClip Load(const QString& path);
  void Start(const TClip& clip);

  QHash<QString, TClip> FClips;  // by upper-case name
  QString FLastPlayed;
};
