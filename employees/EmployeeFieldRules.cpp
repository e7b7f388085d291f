#include "employees/EmployeeFieldRules.h"

#include "core/Messages.h"
#include "employees/EmployeeFields.h"
#include "platform/db/FieldValue.h"
#include "platform/text/VbText.h"
#include "platform/text/Windows1252.h"

#include <QRegularExpression>
#include <QTime>

#include <cmath>

namespace {

QString numberMessage()
{
    return Translate(QStringLiteral("Invalid Employee number")) + QStringLiteral(", ") +
           Translate(QStringLiteral("Please enter a number"));
}

// A stored whole number, or nothing for Null and anything that is not one.
std::optional<int> storedWhole(const FieldValue& stored)
{
    if (stored.isNull())
        return std::nullopt;
    bool ok = false;
    const double value = stored.variant().toDouble(&ok);
    if (!ok || value != static_cast<int>(value))
        return std::nullopt;
    return static_cast<int>(value);
}

}

EmployeeNumberVerdict checkEmployeeNumber(const QString& text)
{
    static const QRegularExpression numeric(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    EmployeeNumberVerdict verdict;
    if (text.isEmpty()) {
        verdict.empty = true;
        return verdict;
    }
    const QString t = text.trimmed();
    if (!numeric.match(t).hasMatch()) {
        verdict.refusal = numberMessage();
        return verdict;
    }
    const double value = t.toDouble();
    if (value < 1 || value > MaxEmployeeNumber) {
        verdict.refusal = numberMessage() + QLatin1Char(' ') + Translate(QStringLiteral("From:")) +
                          QStringLiteral(" 1 ") + Translate(QStringLiteral("To:")) + QStringLiteral(" 500.");
        return verdict;
    }
    // Within the range, only a whole number is one that the lookups by number find.
    if (value != std::floor(value)) {
        verdict.refusal = numberMessage();
        return verdict;
    }
    verdict.number = static_cast<int16_t>(value);
    return verdict;
}

QString numberTakenMessage()
{
    return Translate(QStringLiteral("This Employee number already exist."));
}

QString capitalizeName(const QString& text)
{
    QString name = VbText::trim(text);
    if (!name.isEmpty() && name.at(0) >= QLatin1Char('a') && name.at(0) <= QLatin1Char('z'))
        name[0] = QChar(name.at(0).unicode() - 32);
    return name;
}

bool nameFitsReportFiles(const QString& text)
{
    return Windows1252::canEncode(text);
}

QString invalidNameMessage()
{
    return Translate(QStringLiteral("Invalid Name!")) + QStringLiteral("\r\n") +
           Translate(QStringLiteral("A name can hold only Western European characters (Windows-1252)."));
}

QString invalidTimeMessage()
{
    return Translate(QStringLiteral("Invalid Time!")) + QStringLiteral("\r\n") +
           Translate(QStringLiteral("The Valid Time Format is")) + QStringLiteral(" HH:mm");
}

bool yearFitsRegister(const QDate& date)
{
    return date.year() >= 1900 && date.year() <= 2099;
}

QString invalidYearMessage(const QString& field)
{
    return invalidDateMessage(field) + QStringLiteral("\r\n") +
           Translate(QStringLiteral("The year must lie between 1900 and 2099."));
}

QString invalidDateMessage(const QString& field)
{
    return Translate(field) + QStringLiteral(": ") + Translate(QStringLiteral("Invalid Date!"));
}

int16_t hoursFromListIndex(int index)
{
    return static_cast<int16_t>(index < 0 ? 0 : index);
}

int16_t choiceFromListIndex(int index)
{
    return static_cast<int16_t>(index < 0 ? 0 : index + 1);
}

std::optional<int> listIndexForChoice(const FieldValue& stored, int rows)
{
    const auto value = storedWhole(stored);
    if (!value)
        return std::nullopt;
    if (*value == 0)
        return -1;
    if (*value < 1 || *value > rows)
        return std::nullopt;
    return *value - 1;
}

std::optional<int> listIndexForHours(const FieldValue& stored, int rows)
{
    const auto value = storedWhole(stored);
    if (!value)
        return std::nullopt;
    if (*value == 0 || *value == -1)
        return -1;
    if (*value < 0 || *value >= rows)
        return std::nullopt;
    return *value;
}

QString startTimeForDisplay(const FieldValue& stored)
{
    const QString text = VbText::trim(stored.textOrEmpty());
    if (text.isEmpty() || text == QLatin1String("__:__"))
        return {};
    for (const char* format : {"H:mm", "H:mm:ss"}) {
        const QTime time = QTime::fromString(text, QString::fromLatin1(format));
        if (time.isValid())
            return time.toString(QStringLiteral("HH:mm"));
    }
    return text;
}
