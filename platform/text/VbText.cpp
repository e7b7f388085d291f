#include "platform/text/VbText.h"

#include "platform/AppError.h"

#include <QRegularExpression>
#include <cmath>

namespace {

int16_t fromDouble(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode is half to even
    if (!std::isfinite(rounded) || rounded < -32768.0 || rounded > 32767.0)
        raiseError(Err::Overflow);
    return static_cast<int16_t>(rounded);
}

}

QString VbText::trim(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

int16_t VbText::toInt16(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString t = trim(text);
    if (!number.match(t).hasMatch())
        raiseError(Err::TypeMismatch);
    return fromDouble(t.toDouble());
}

int16_t VbText::toInt16(const QVariant& value)
{
    if (value.isNull())
        raiseError(Err::InvalidUseOfNull);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::UChar: {
        const qlonglong v = value.toLongLong();
        if (v < -32768 || v > 32767)
            raiseError(Err::Overflow);
        return static_cast<int16_t>(v);
    }
    case QMetaType::Double:
    case QMetaType::Float: return fromDouble(value.toDouble());
    case QMetaType::Bool: return value.toBool() ? -1 : 0;
    default: return toInt16(value.toString());
    }
}
