#pragma once

#include "platform/db/FieldValue.h"

#include <QString>
#include <cstdint>
#include <optional>

class Database;

// The settings row of DoorsNames_Tbl as the door settings window edits it:
// the door's name, the company name, and a start time and working hours for
// each period (0 Monday to Thursday, 1 Friday, 2 Saturday, 3 Sunday).
struct DoorSettingsBoxes {
    static constexpr int Periods = 4;
    QString door;
    QString company;
    // As the time boxes show them: "HH:mm", or the empty mask "__:__".
    QString start[Periods] = {QStringLiteral("__:__"), QStringLiteral("__:__"), QStringLiteral("__:__"),
                              QStringLiteral("__:__")};
    QString hours[Periods];
};

namespace DoorSettings {

inline const QString EmptyTime = QStringLiteral("__:__");

// A box the save refuses, with its message.
struct Problem {
    enum class Box { StartTime, Hours };
    Box box = Box::Hours;
    int period = 0;
    QString message;
};

// The settings row as stored, each field Null where it holds no value.
struct StoredRow {
    FieldValue door;
    FieldValue start[DoorSettingsBoxes::Periods];
    FieldValue hours[DoorSettingsBoxes::Periods];

    // The Monday-to-Thursday start time when one is stored (neither Null nor
    // empty), the default start time of every reader. The hours each reader
    // takes by a rule of its own.
    std::optional<QString> defaultStart() const;
};

// The first settings row; nothing when the table has no row.
std::optional<StoredRow> readRow(Database& db);

// Reads the settings row into the boxes and sets DefaultStartTime and
// DefaultWorkHours from the Monday-to-Thursday period. A field without a
// value leaves its box (and the default) as it was. No row: NoCurrentRecord.
void load(Database& db, DoorSettingsBoxes& boxes);

// Whole hours 0 to 24 (an empty box counts as 0); nothing for anything else.
std::optional<int16_t> hoursValue(const QString& text);
QString invalidHoursMessage();

// The first box the save would refuse: a start time IsValidTime refuses, or
// hours that are not a whole number 0 to 24.
std::optional<Problem> check(const DoorSettingsBoxes& boxes);

// Stores the boxes, which check() accepts, in one update of the settings row:
// a blank door name becomes "Door 1"; Friday to Sunday take the Monday-to-
// Thursday hours when they have a start time and no hours, and its start time
// when they have hours and no start time. The boxes show what was stored.
// DefaultStartTime, DefaultWorkHours and CompanyName follow. No row: NoCurrentRecord.
void save(Database& db, DoorSettingsBoxes& boxes);

}
