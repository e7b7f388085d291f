#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

// Text rules the stored data and the unit's codes were made with: trimming
// removes blanks only (not tabs), and numbers convert as whole numbers.
namespace VbText {

QString trim(const QString& text);

// A whole number from text: surrounding blanks allowed, optional sign, digits,
// an optional decimal part rounded half to even. Type mismatch (13) for anything
// else, overflow (6) outside the 16-bit range.
int16_t toInt16(const QString& text);

// The same for a stored value: numbers are rounded, text is converted as above,
// Null is invalid use of Null (94).
int16_t toInt16(const QVariant& value);

}
