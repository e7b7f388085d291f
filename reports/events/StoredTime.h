#pragma once

#include <QString>

// A stored time of day ("HH:MM:SS") as the reports show it, "HH:mm"; a text
// that is no time as it stands.
QString clockOfStoredTime(const QString& stored);
