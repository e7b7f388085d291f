#include "platform/text/TypedDate.h"

#include "platform/text/FourDigitYears.h"

#include <QList>

#include <array>
#include <optional>

namespace {

enum Part { Day, Month, Year };

// A run of digits or a run of letters; everything else only separates them.
struct Token {
    QString text;
    bool digits = false;
};

QList<Token> tokensOf(const QString& text)
{
    QList<Token> tokens;
    bool open = false;
    for (QChar c : text) {
        const bool digit = c.isDigit();
        if (!digit && !c.isLetter() && !c.isMark()) {
            open = false;
            continue;
        }
        if (open && tokens.last().digits == digit)
            tokens.last().text += c;
        else
            tokens.append({QString(c), digit});
        open = true;
    }
    return tokens;
}

// The order of day, month and year in a date format; quoted text and a
// weekday's name ("ddd") are no part of it.
std::array<Part, 3> orderOf(const QString& format)
{
    QList<Part> order;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted)
            continue;
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        std::optional<Part> part;
        if (c == QLatin1Char('d') && run <= 2)
            part = Day;
        else if (c == QLatin1Char('M'))
            part = Month;
        else if (c == QLatin1Char('y'))
            part = Year;
        if (part && !order.contains(*part))
            order << *part;
        i += run - 1;
    }
    if (order.size() != 3)
        return {Day, Month, Year};
    return {order.at(0), order.at(1), order.at(2)};
}

// The value of one to `most` digits; nothing for letters or more digits.
std::optional<int> numberOf(const Token& token, qsizetype least, qsizetype most)
{
    if (!token.digits || token.text.size() < least || token.text.size() > most)
        return std::nullopt;
    int value = 0;
    for (QChar c : token.text)
        value = value * 10 + c.digitValue();
    return value;
}

std::optional<int> monthOf(const Token& token, const QLocale& locale)
{
    if (token.digits)
        return numberOf(token, 1, 2);
    const int month = monthOfName(token.text, locale);
    return month > 0 ? std::optional<int>(month) : std::nullopt;
}

TypedDate dateOf(int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return {TypedDate::Kind::Invalid, {}};
    return {TypedDate::Kind::Date, date};
}

TypedDate nothingOrInvalid(const QString& text)
{
    return {text.trimmed().isEmpty() ? TypedDate::Kind::Empty : TypedDate::Kind::Invalid, {}};
}

const TypedDate invalid{TypedDate::Kind::Invalid, {}};

QString nameKey(QString name)
{
    name.remove(QLatin1Char('.'));
    return name.trimmed().toCaseFolded();
}

}

TypedDate readTypedDate(const QString& text, const QLocale& locale, int thisYear)
{
    const QList<Token> tokens = tokensOf(text);
    if (tokens.isEmpty())
        return nothingOrInvalid(text);
    const std::array<Part, 3> order = orderOf(locale.dateFormat(QLocale::ShortFormat));
    std::array<Token, 3> parts;
    if (tokens.size() == 1 && tokens.first().digits &&
        (tokens.first().text.size() == 6 || tokens.first().text.size() == 8)) {
        const QString& run = tokens.first().text;
        qsizetype at = 0;
        for (Part part : order) {
            const qsizetype length = part == Year ? run.size() - 4 : 2;
            parts[part] = {run.mid(at, length), true};
            at += length;
        }
    } else if (tokens.size() == 3) {
        // A month by its name is the month wherever it stands.
        qsizetype named = -1;
        for (qsizetype t = 0; t < 3; ++t) {
            if (tokens.at(t).digits)
                continue;
            if (named >= 0)
                return invalid;
            named = t;
        }
        qsizetype next = 0;
        for (Part part : order) {
            if (named >= 0 && part == Month)
                continue;
            if (next == named)
                ++next;
            parts[part] = tokens.at(next++);
        }
        if (named >= 0)
            parts[Month] = tokens.at(named);
    } else {
        return invalid;
    }
    const std::optional<int> day = numberOf(parts[Day], 1, 2);
    const std::optional<int> month = monthOf(parts[Month], locale);
    std::optional<int> year = numberOf(parts[Year], 2, 4);
    if (!day || !month || !year || parts[Year].text.size() == 3)
        return invalid;
    if (parts[Year].text.size() == 2)
        year = yearOfTwoDigits(*year, thisYear);
    return dateOf(*year, *month, *day);
}

TypedDate readTypedDayMonth(const QString& text, const QLocale& locale, int year)
{
    const QList<Token> tokens = tokensOf(text);
    if (tokens.isEmpty())
        return nothingOrInvalid(text);
    Token day;
    Token month;
    if (tokens.size() == 1 && tokens.first().digits && tokens.first().text.size() == 4) {
        day = {tokens.first().text.left(2), true};
        month = {tokens.first().text.mid(2), true};
    } else if (tokens.size() == 2) {
        const bool nameFirst = !tokens.at(0).digits;
        if (nameFirst && !tokens.at(1).digits)
            return invalid;
        day = tokens.at(nameFirst ? 1 : 0);
        month = tokens.at(nameFirst ? 0 : 1);
    } else {
        return invalid;
    }
    const std::optional<int> d = numberOf(day, 1, 2);
    const std::optional<int> m = monthOf(month, locale);
    if (!d || !m)
        return invalid;
    return dateOf(year, *m, *d);
}

int monthOfName(const QString& name, const QLocale& locale)
{
    const QString typed = nameKey(name);
    if (typed.isEmpty())
        return 0;
    auto namesOf = [&locale](int month) {
        return std::array<QString, 4>{nameKey(locale.monthName(month, QLocale::LongFormat)),
                                      nameKey(locale.monthName(month, QLocale::ShortFormat)),
                                      nameKey(locale.standaloneMonthName(month, QLocale::LongFormat)),
                                      nameKey(locale.standaloneMonthName(month, QLocale::ShortFormat))};
    };
    for (int month = 1; month <= 12; ++month) {
        for (const QString& known : namesOf(month)) {
            if (known == typed)
                return month;
        }
    }
    if (typed.size() < 3)
        return 0;
    int found = 0;
    for (int month = 1; month <= 12; ++month) {
        for (const QString& known : namesOf(month)) {
            if (!known.startsWith(typed))
                continue;
            if (found != 0)
                return 0;
            found = month;
            break;
        }
    }
    return found;
}
