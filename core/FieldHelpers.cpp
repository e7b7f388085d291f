#include "core/FieldHelpers.h"

#include "core/Messages.h"
#include "platform/text/VbText.h"

#include <optional>

namespace {

// A whole number between blanks, or nothing.
std::optional<int> wholeNumber(const QString& field)
{
    const QString t = VbText::trim(field);
    if (t.isEmpty() || t.size() > 4)
        return std::nullopt;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    return t.toInt();
}

}

bool IsValidTime(const QString& t)
{
    enterProcedure(1902);
    if (t == QLatin1String("__:__"))
        return true;
    const auto hours = wholeNumber(t.mid(0, 2));
    const auto minutes = wholeNumber(t.mid(3, 2));
    return hours && minutes && *hours <= 23 && *minutes <= 59;
}
