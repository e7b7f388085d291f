#pragma once

#include <QString>

class QLineEdit;

// Selects the whole text of an enabled field and gives it the focus; false,
// and the field untouched, when it is disabled.
bool SelectAndFocus(QLineEdit* field);

// "HH:mm" with hours 0 to 23 and minutes 0 to 59, or the empty mask "__:__".
bool IsValidTime(const QString& t);
