#include "platform/db/FieldValue.h"

#include "platform/AppError.h"
#include "platform/text/VbText.h"

QString FieldValue::toText() const
{
    if (isNull())
        raiseError(Err::InvalidUseOfNull);
    return textOrEmpty();
}

QString FieldValue::textOrEmpty() const
{
    if (isNull())
        return {};
    if (m_value.typeId() == QMetaType::Double)
        return QString::number(m_value.toDouble(), 'g', 15);
    return m_value.toString();
}

int16_t FieldValue::toInt16() const
{
    return VbText::toInt16(m_value);
}

QDate FieldValue::toDate() const
{
    if (isNull())
        raiseError(Err::InvalidUseOfNull);
    if (m_value.typeId() == QMetaType::QDate)
        return m_value.toDate();
    const QDate date = QDate::fromString(m_value.toString().left(10), Qt::ISODate);
    if (!date.isValid())
        raiseError(Err::TypeMismatch);
    return date;
}
