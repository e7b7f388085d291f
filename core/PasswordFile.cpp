#include "core/PasswordFile.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "platform/DurableFile.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/text/VbText.h"
#include "platform/text/Windows1252.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace {

const QString passwordFileName = QStringLiteral("setting.dat");

int multiplier(int k)
{
    return NthPrime(static_cast<uint8_t>(k + 1));
}

// The byte a code stands for, before any range check.
long decodedByte(int16_t code, int k)
{
    return std::lrint(static_cast<double>(code - k) / multiplier(k)); // half to even
}

PasswordRecord readRecord(uint8_t position, QIODevice& file)
{
    if (!file.seek(position - 1))
        raiseError(Err::InputPastEnd);
    const QByteArray bytes = file.read(16);
    if (bytes.size() != 16)
        raiseError(Err::InputPastEnd);
    PasswordRecord code{};
    for (int i = 0; i < 8; ++i) {
        const auto lo = static_cast<uint8_t>(bytes.at(2 * i));
        const auto hi = static_cast<uint8_t>(bytes.at(2 * i + 1));
        code[static_cast<std::size_t>(i)] = static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
    }
    return code;
}

void readPasswordFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        raiseError(Err::PathNotFound,
                   standardErrorText(Err::PathNotFound) + QStringLiteral(": ") + info.absolutePath());
    if (!info.exists()) {
        QBuffer defaults;
        defaults.open(QIODevice::ReadWrite);
        WriteDefaultPasswords(defaults);
        WritePasswordFile(path, defaults.data());
    }
    QByteArray bytes = ReadPasswordFile(path);
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    QString* targets[3] = {&appState().AdminPassword, &appState().GuardPassword, &appState().EngineerPassword};
    QString plain[3];
    for (int r = 0; r < 3; ++r) {
        const PasswordRecord code = readRecord(static_cast<uint8_t>(1 + 16 * r), file);
        if (!IsValidPasswordRecord(code))
            raiseError(Err::InvalidCall, QStringLiteral("Record %1 of the password file is damaged.").arg(r + 1));
        plain[r] = UnscramblePassword(code);
    }
    for (int r = 0; r < 3; ++r)
        *targets[r] = plain[r];
}

}

uint8_t NthPrime(uint8_t n)
{
    uint8_t result = 0;
    guarded(871, [&] {
        int counted = 0;
        for (int c = 1;; ++c) {
            bool prime = true;
            const int limit = static_cast<int>(std::lround(std::sqrt(static_cast<double>(c))));
            for (int d = 2; d <= limit && prime; ++d)
                prime = c % d != 0;
            if (prime && ++counted == n) {
                result = static_cast<uint8_t>(c);
                return;
            }
            if (c > 255)
                raiseError(Err::Overflow);
        }
    });
    return result;
}

void ScramblePassword(const QString& password, PasswordRecord& code)
{
    guarded(869, [&] {
        QString padded = VbText::trim(password).left(8);
        padded = padded.leftJustified(8, QLatin1Char(' '));
        for (int k = 1; k <= 8; ++k) {
            const int ansi = Windows1252::encode(padded.at(k - 1)).value_or('?');
            code[static_cast<std::size_t>(k - 1)] = static_cast<int16_t>(ansi * multiplier(k) + k);
        }
    });
}

bool IsValidPasswordRecord(const PasswordRecord& code)
{
    for (int k = 1; k <= 8; ++k) {
        const long byte = decodedByte(code[static_cast<std::size_t>(k - 1)], k);
        if (byte < 0 || byte > 255)
            return false;
    }
    return true;
}

QString UnscramblePassword(const PasswordRecord& code)
{
    QString text;
    guarded(976, [&] {
        for (int k = 1; k <= 8; ++k) {
            const long byte = decodedByte(code[static_cast<std::size_t>(k - 1)], k);
            if (byte < 0 || byte > 255)
                raiseError(Err::InvalidCall);
            text += Windows1252::decode(static_cast<unsigned char>(byte));
        }
    });
    return text;
}

bool WritePasswordRecord(const PasswordRecord& code, uint8_t position, QIODevice& file)
{
    bool written = false;
    guarded(867, [&] {
        QByteArray bytes;
        for (int16_t c : code) {
            const auto u = static_cast<uint16_t>(c);
            bytes.append(static_cast<char>(u & 0xFF));
            bytes.append(static_cast<char>(u >> 8));
        }
        if (!file.seek(position - 1) || file.write(bytes) != bytes.size())
            raiseError(Err::PathFileAccess, file.errorString());
        written = true;
    });
    return written;
}

bool ComparePasswordRecord(const PasswordRecord& code, uint8_t position, QIODevice& file)
{
    bool same = false;
    guarded(868, [&] {
        const PasswordRecord stored = readRecord(position, file);
        same = stored == code;
    });
    return same;
}

void WriteDefaultPasswords(QIODevice& file)
{
    guarded(975, [&] {
        const std::pair<const char*, uint8_t> defaults[] = {{"vantu", 1}, {"lopri", 17}, {"medek", 33}};
        for (const auto& [password, position] : defaults) {
            PasswordRecord code{};
            ScramblePassword(QString::fromLatin1(password), code);
            WritePasswordRecord(code, position, file);
        }
    });
}

QByteArray ReadPasswordFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseError(Err::PathFileAccess, file.errorString() + QStringLiteral(": ") + path);
    const QByteArray bytes = file.readAll();
    if (bytes.size() < PasswordFileSize)
        raiseError(Err::InputPastEnd,
                   QStringLiteral("The password file is shorter than %1 bytes.").arg(PasswordFileSize));
    return bytes;
}

void WritePasswordFile(const QString& path, const QByteArray& bytes)
{
    DurableFile::write(path, bytes, QFile::ReadOwner | QFile::WriteOwner);
}

void LoadPasswords()
{
    enterProcedure(974);
    AppState& s = appState();
    bool retried = false;
    for (;;) {
        try {
            readPasswordFile(s.PasswordFilePath);
            return;
        } catch (const AppError& error) {
            if (error.number() == Err::PathNotFound && !retried) {
                // Once more beside the program itself.
                retried = true;
                s.PasswordFilePath = AddBackslash(ProgramFolder::path()) + passwordFileName;
                continue;
            }
            ReportError(974, error);
            endProgram();
        }
    }
}

uint8_t GetRecordPosition(const QString& levelKey)
{
    if (levelKey == AdminLevelKey)
        return 1;
    if (levelKey == GuardLevelKey)
        return 17;
    if (levelKey == EngineerLevelKey)
        return 33;
    return 0;
}
