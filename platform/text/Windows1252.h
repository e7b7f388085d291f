#pragma once

#include <QChar>
#include <QString>
#include <optional>

// The single-byte Western code page the password records are coded in.
namespace Windows1252 {

// The byte of a character, or nothing when the code page has none for it.
std::optional<unsigned char> encode(QChar c);
// Every character of the text has a byte.
bool canEncode(const QString& text);
// The character of a byte; the five bytes the code page leaves unassigned map to
// the control characters of the same number.
QChar decode(unsigned char byte);

}
