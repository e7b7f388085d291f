#pragma once

#include <QString>

// A date format of the locale with every year written with four digits: the
// short forms of many locales have two ("M/d/yy", "dd.MM.yy"), and a
// two-digit year typed into a date field lands in whichever century the field
// guesses. Quoted text stays as it is.
QString withFourDigitYears(const QString& format);
// The same format with every year written with two digits, to read what was
// typed as two.
QString withTwoDigitYears(const QString& format);

// The year that two typed digits (0 to 99) stand for: this century's up to
// this year's two digits, the century before's above them.
int yearOfTwoDigits(int digits, int thisYear);
