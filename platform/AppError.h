#pragma once

#include <QString>
#include <exception>

// A failure as the program's error reports show it: a number and a description.
// The numbers follow the ones the original program branched on, so that handlers
// can single out "no current record", "duplicate key" and the like.
class AppError : public std::exception {
public:
    AppError(int number, QString description);

    int number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_what;
};

namespace Err {
// Language runtime
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int InputPastEnd = 62;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int ObjectNotSet = 91;
inline constexpr int InvalidUseOfNull = 94;
// Database engine
inline constexpr int DbGeneral = 3000;
inline constexpr int UpdateWithoutEdit = 3020;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int DuplicateKey = 3022;
inline constexpr int DbFileNotFound = 3024;
inline constexpr int ReadOnly = 3027;
inline constexpr int CannotOpenDb = 3051;
inline constexpr int SyntaxError = 3075;
inline constexpr int NoSuchTable = 3078;
inline constexpr int RecordDeleted = 3167;
inline constexpr int NotSupported = 3251;
inline constexpr int Locked = 3260;
inline constexpr int ItemNotFound = 3265;
inline constexpr int NullNotAllowed = 3314;
inline constexpr int ObjectInvalid = 3420;
}

// The standard description of a numbered failure, for places that raise one
// without a more specific text.
QString standardErrorText(int number);

[[noreturn]] void raiseError(int number, const QString& description = {});
