#pragma once

#include <QString>

// "HH:mm" with hours 0 to 23 and minutes 0 to 59, or the empty mask "__:__".
bool IsValidTime(const QString& t);
