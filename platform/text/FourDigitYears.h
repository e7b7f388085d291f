#pragma once

#include <QString>

// A date format of the locale with every year written with four digits: the
// short forms of many locales have two ("M/d/yy", "dd.MM.yy"), and a
// two-digit year typed into a date field lands in whichever century the field
// guesses. Quoted text stays as it is.
QString withFourDigitYears(const QString& format);
