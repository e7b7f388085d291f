#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <cstdint>
#include <optional>

// One row of tblOnline, in the order of its columns (position 5 is never written).
struct OnlineEvent {
    QString Time_CR; // HH:MM:SS
    QString Date_CR; // YYYY-MM-DD
    QString sIn;
    QString sCard;
    int16_t Employee_Number = -1;
    QString sDoor;
    QString sReason;
    QString Employee_Full_Name;
    int16_t SlotNumber = 0;
    QString CardNum;
    std::optional<int16_t> iLockStrike;
    QString EmpPictureFile;
    int16_t iIn = 1;
    int16_t iDoor = 2;
    std::optional<int16_t> iReason;
    int16_t iCard = 1;
};

// The event of a row of tblOnline from its seventeen values, in column order.
OnlineEvent OnlineEventFromValues(const QVariantList& values);

// One line of the monitor's history list.
struct EventLine {
    QString doorAction; // "Opened" or "Not opened"
    int icon = 2;       // 1 opened, 2 not opened
    QString dateTime;   // short date, a blank, long time
    QString sortKey;    // ISO date and time, for ordering the lines
    QString name;
    QString inOut;
    QString remark;
    int16_t employeeNumber = -1; // the line's tag
    QString pictureFile;         // the event's picture, or the default picture
    bool ownPicture = false;     // the event names a picture of its own
};

// The line of an event, stored or new. The name is the employee's current
// one: looked up now, unless the caller has just read it.
EventLine BuildEventLine(const OnlineEvent& event, const std::optional<QString>& currentName = std::nullopt);

// An event as it was stored: its row in tblOnline and its line.
struct RecordedEvent {
    qint64 row = 0;
    EventLine line;
};
