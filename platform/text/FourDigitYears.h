#pragma once

#include <QString>

// A date format of the locale with every year written with four digits: the
// short forms of many locales have two ("M/d/yy", "dd.MM.yy"), which leave the
// century to a guess. Quoted text stays as it is.
QString withFourDigitYears(const QString& format);

// The year that two typed digits (0 to 99) stand for: this century's up to
// this year's two digits, the century before's above them.
int yearOfTwoDigits(int digits, int thisYear);
