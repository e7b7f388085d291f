#pragma once

#include "tests/support/RecordingPrintBackend.h"

#include <QStringList>

// The column headings of a printed page (bold and underlined, side by side on
// one line) that run into the heading after them, measured in the face the
// printout uses (Arial, or its Liberation face where Arial is missing): each
// as "heading -> next heading".
QStringList headingsRunningOn(const PrintRecord& record, int page);
