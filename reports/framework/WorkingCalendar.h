#pragma once

#include <QDate>
#include <QSet>
#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

class Database;

// Which days are working days and what the door settings schedule on them.
// The week falls into four groups, each with a start time and hours in the
// settings row: Monday to Thursday, Friday, Saturday, Sunday. Holidays recur
// every year: only their month and day count.
class WorkingCalendar {
public:
    // Reads the holidays, then the settings row. No current record (3021) when
    // there is no settings row.
    static WorkingCalendar load(Database& db);
    // The holidays alone, for a settings row that could not be read.
    static WorkingCalendar holidaysOnly(Database& db);

    // A holiday never is; Monday to Thursday always is; Friday, Saturday and
    // Sunday are when their group has a start time.
    bool isWorkingDay(const QDate& day) const;
    // The group's hours, 0 when none are set; type mismatch (13) when they are no number.
    int16_t scheduledHours(const QDate& day) const;
    // The group's start time "HH:mm", empty when none is set.
    QString scheduledStartTime(const QDate& day) const;

    bool isHoliday(const QDate& day) const;

private:
    enum Group { MonThu, Fri, Sat, Sun };
    static Group groupOf(const QDate& day);

    QSet<int> m_holidays; // month * 100 + day
    std::array<QVariant, 4> m_start;
    std::array<QVariant, 4> m_hours;
};

// The same answers, each read afresh from the program database; a failure is
// reported with the function's number and gives False, 0 or the empty text.
bool IsWorkingDay(const QDate& d);
int16_t GetScheduledHours(const QDate& d);
QString GetScheduledStartTime(const QDate& d);
