#include "link/OnlineEvent.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/SharedLookups.h"
#include "platform/db/FieldValue.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/VbText.h"

#include <QDate>
#include <QTime>

namespace {

std::optional<int16_t> optionalInt(const FieldValue& v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toInt16();
}

QString shownTime(const QString& iso)
{
    const QTime t = QTime::fromString(iso, Qt::ISODate);
    return t.isValid() ? DateTimeText::longTime(t) : iso;
}

QString remarkOf(std::optional<int16_t> reason)
{
    switch (reason.value_or(0)) {
    case 1: return Translate(QStringLiteral("Secure Mode"));
    case 2: return Translate(QStringLiteral("Time Zones"));
    case 3: return Translate(QStringLiteral("Unknown Code"));
    default: return {};
    }
}

}

OnlineEvent OnlineEventFromValues(const QVariantList& values)
{
    const auto field = [&values](int position) { return FieldValue(values.value(position)); };
    OnlineEvent e;
    e.Time_CR = field(0).textOrEmpty();
    e.Date_CR = field(1).textOrEmpty();
    e.sIn = field(2).textOrEmpty();
    e.sCard = field(3).textOrEmpty();
    e.Employee_Number = field(4).toInt16();
    e.sDoor = field(6).textOrEmpty();
    e.sReason = field(7).textOrEmpty();
    e.Employee_Full_Name = field(8).textOrEmpty();
    e.SlotNumber = optionalInt(field(9)).value_or(0);
    e.CardNum = field(10).textOrEmpty();
    e.iLockStrike = optionalInt(field(11));
    e.EmpPictureFile = field(12).textOrEmpty();
    e.iIn = optionalInt(field(13)).value_or(0);
    e.iDoor = optionalInt(field(14)).value_or(0);
    e.iReason = optionalInt(field(15));
    e.iCard = optionalInt(field(16)).value_or(0);
    return e;
}

EventLine BuildEventLine(const OnlineEvent& event, const std::optional<QString>& currentName)
{
    EventLine line;
    const bool opened = event.iDoor == 1;
    line.doorAction = opened ? Translate(QStringLiteral("Opened")) : Translate(QStringLiteral("Not opened"));
    line.icon = opened ? 1 : 2;
    line.dateTime = DateTimeText::shortDateOfStored(event.Date_CR) + QLatin1Char(' ') + shownTime(event.Time_CR);
    line.sortKey = event.Date_CR + QLatin1Char(' ') + event.Time_CR;
    const int16_t num = event.Employee_Number;
    if (num >= 0) {
        line.name = QLatin1Char('#') + QString::number(num) + QStringLiteral("  ") +
                    (currentName ? *currentName : GetEmployeeName(num));
    } else {
        const QString unknown = Translate(QStringLiteral("Unknown Employee"));
        if (unknown.size() > 4 && event.sCard == Translate(QStringLiteral("Card")))
            line.name = unknown;
        else if (event.iLockStrike == 1)
            line.name = Translate(QStringLiteral("Lock Strike 1"));
        else if (event.iLockStrike == 2)
            line.name = Translate(QStringLiteral("Lock Strike 2"));
        else
            line.name = unknown;
    }
    line.inOut = event.iIn == 1 ? Translate(QStringLiteral("In")) : Translate(QStringLiteral("Out"));
    line.remark = remarkOf(event.iReason);
    line.employeeNumber = num;
    const QString picture = VbText::trim(event.EmpPictureFile);
    line.ownPicture = !picture.isEmpty();
    line.pictureFile = line.ownPicture ? picture : appState().DefaultPictureFile;
    return line;
}
