#pragma once

class QLineEdit;

// Selects the whole text of an enabled field and gives it the focus; false,
// and the field untouched, when it is disabled.
bool SelectAndFocus(QLineEdit* field);
