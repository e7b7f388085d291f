#include "employees/DoorSettings.h"

#include "core/AppState.h"
#include "core/FieldHelpers.h"
#include "core/Messages.h"
#include "employees/EmployeeFieldRules.h"
#include "platform/AppError.h"
#include "platform/db/Database.h"
#include "platform/text/VbText.h"

#include <QRegularExpression>

namespace {

const char* const startFields[DoorSettingsBoxes::Periods] = {"MonThu_Start", "Fri_Start", "Sat_Start", "Sun_Start"};
const char* const hoursFields[DoorSettingsBoxes::Periods] = {"MonThu_Hours", "Fri_Hours", "Sat_Hours", "Sun_Hours"};

// Runs one step of the load; a field without a value skips only that step.
template <class Step>
void unlessNull(Step&& step)
{
    try {
        step();
    } catch (const AppError& error) {
        if (error.number() != Err::InvalidUseOfNull)
            throw;
    }
}

// Empty text, never Null: the reports read Null and "" alike, older readers do not.
QString text(const QString& value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

QString storedTime(const QString& box)
{
    return text(box == DoorSettings::EmptyTime ? QString() : box);
}

}

std::optional<QString> DoorSettings::StoredRow::defaultStart() const
{
    if (start[0].isNull() || start[0].textOrEmpty().isEmpty())
        return std::nullopt;
    return start[0].textOrEmpty();
}

std::optional<DoorSettings::StoredRow> DoorSettings::readRow(Database& db)
{
    Recordset rs = db.openSql(QStringLiteral("SELECT * FROM DoorsNames_Tbl ORDER BY rowid LIMIT 1"));
    if (rs.recordCount() == 0)
        return std::nullopt;
    StoredRow row;
    row.door = rs.field(QStringLiteral("DOOR_DESCRIPTION"));
    for (int p = 0; p < DoorSettingsBoxes::Periods; ++p) {
        row.start[p] = rs.field(QString::fromLatin1(startFields[p]));
        row.hours[p] = rs.field(QString::fromLatin1(hoursFields[p]));
    }
    return row;
}

void DoorSettings::load(Database& db, DoorSettingsBoxes& boxes)
{
    AppState& s = appState();
    const std::optional<StoredRow> row = readRow(db);
    if (!row)
        raiseError(Err::NoCurrentRecord);
    unlessNull([&] {
        const QString door = row->door.toText();
        boxes.door = VbText::trim(door).isEmpty() ? QString() : door;
    });
    if (const auto start = row->defaultStart())
        s.DefaultStartTime = *start;
    for (int p = 0; p < DoorSettingsBoxes::Periods; ++p) {
        unlessNull([&] {
            const QString start = row->start[p].toText();
            boxes.start[p] = start.isEmpty() ? EmptyTime : start;
        });
        unlessNull([&] {
            const FieldValue& hours = row->hours[p];
            boxes.hours[p] = hours.toText();
            if (p == 0)
                s.DefaultWorkHours = hours.toInt16();
        });
    }
    boxes.company = s.CompanyName;
}

std::optional<int16_t> DoorSettings::hoursValue(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^\\+?\\d{1,2}$"));
    const QString t = text.trimmed();
    if (t.isEmpty())
        return int16_t(0);
    if (!whole.match(t).hasMatch() || t.toInt() > 24)
        return std::nullopt;
    return static_cast<int16_t>(t.toInt());
}

QString DoorSettings::invalidHoursMessage()
{
    return Translate(QStringLiteral("Invalid Working Hours!")) + QStringLiteral("\r\n") +
           Translate(QStringLiteral("Please enter a number")) + QLatin1Char(' ') + Translate(QStringLiteral("From:")) +
           QStringLiteral(" 0 ") + Translate(QStringLiteral("To:")) + QStringLiteral(" 24.");
}

std::optional<DoorSettings::Problem> DoorSettings::check(const DoorSettingsBoxes& boxes)
{
    for (int p = 0; p < DoorSettingsBoxes::Periods; ++p) {
        if (!IsValidTime(boxes.start[p]))
            return Problem{Problem::Box::StartTime, p, invalidTimeMessage()};
        if (!hoursValue(boxes.hours[p]))
            return Problem{Problem::Box::Hours, p, invalidHoursMessage()};
    }
    return std::nullopt;
}

void DoorSettings::save(Database& db, DoorSettingsBoxes& boxes)
{
    if (const auto problem = check(boxes))
        raiseError(Err::InvalidCall, problem->message);
    AppState& s = appState();
    DoorSettingsBoxes b = boxes;
    if (VbText::trim(b.door).isEmpty())
        b.door = QStringLiteral("Door 1");
    const QString defaultStart = storedTime(b.start[0]);
    const int16_t defaultHours = *hoursValue(b.hours[0]);
    int16_t hours[DoorSettingsBoxes::Periods] = {defaultHours, 0, 0, 0};
    for (int p = 1; p < DoorSettingsBoxes::Periods; ++p) {
        hours[p] = *hoursValue(b.hours[p]);
        if (b.start[p] != EmptyTime && hours[p] == 0)
            hours[p] = defaultHours;
        if (b.start[p] == EmptyTime && hours[p] > 0 && !defaultStart.isEmpty())
            b.start[p] = defaultStart;
    }
    for (int p = 0; p < DoorSettingsBoxes::Periods; ++p)
        b.hours[p] = QString::number(hours[p]);

    // One statement, so the row is never left half written.
    const int changed = db.execute(
        QStringLiteral("UPDATE DoorsNames_Tbl SET DOOR_DESCRIPTION = ?, MonThu_Start = ?, MonThu_Hours = ?,"
                       " Fri_Start = ?, Fri_Hours = ?, Sat_Start = ?, Sat_Hours = ?, Sun_Start = ?, Sun_Hours = ?,"
                       " CompanyName = ? WHERE rowid = (SELECT min(rowid) FROM DoorsNames_Tbl)"),
        {b.door, defaultStart, int(defaultHours), storedTime(b.start[1]), b.hours[1], storedTime(b.start[2]),
         b.hours[2], storedTime(b.start[3]), b.hours[3], text(b.company)});
    if (changed == 0)
        raiseError(Err::NoCurrentRecord);
    boxes = b;
    s.DefaultStartTime = defaultStart;
    s.DefaultWorkHours = defaultHours;
    s.CompanyName = b.company;
}
