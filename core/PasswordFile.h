#pragma once

#include <QString>
#include <array>
#include <cstdint>

class QIODevice;

// The password file "setting.dat": three records of eight little-endian 16-bit
// codes, Administrator at byte 1, Guard at 17, Engineer at 33 (1-based). Each
// code is the character's Windows-1252 byte times a prime of its position plus
// the position.
using PasswordRecord = std::array<int16_t, 8>;

inline constexpr int PasswordFileSize = 48;

uint8_t NthPrime(uint8_t n);
void ScramblePassword(const QString& password, PasswordRecord& code);
QString UnscramblePassword(const PasswordRecord& code);
// True when every code unscrambles to a byte 0..255.
bool IsValidPasswordRecord(const PasswordRecord& code);

// The file (or the bytes that become it) must be open; positions are 1-based
// byte positions. False, after the error report, when the record could not be written.
bool WritePasswordRecord(const PasswordRecord& code, uint8_t position, QIODevice& file);
bool ComparePasswordRecord(const PasswordRecord& code, uint8_t position, QIODevice& file);
void WriteDefaultPasswords(QIODevice& file);

// The whole password file; fails when it cannot be read or is short.
QByteArray ReadPasswordFile(const QString& path);
// Replaces the password file with `bytes` in one step: a crash leaves either
// the old file or the new one, never a part. Only its owner may read it.
void WritePasswordFile(const QString& path, const QByteArray& bytes);

// Fills AdminPassword, GuardPassword and EngineerPassword from PasswordFilePath,
// creating the file with the default passwords when it is missing. A file that
// cannot be read, is short or holds a damaged record ends the program.
void LoadPasswords();

// VANTU 1, LOPRI 17, MEDEK 33, anything else 0.
uint8_t GetRecordPosition(const QString& levelKey);

inline const QString AdminLevelKey = QStringLiteral("VANTU");
inline const QString GuardLevelKey = QStringLiteral("LOPRI");
inline const QString EngineerLevelKey = QStringLiteral("MEDEK");
