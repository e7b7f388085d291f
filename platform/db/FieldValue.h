#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <cstdint>

// One stored value as a recordset hands it out: Null-aware, with the
// conversions the program reads its fields through.
class FieldValue {
public:
    FieldValue() = default;
    explicit FieldValue(QVariant value) : m_value(std::move(value)) {}

    bool isNull() const { return m_value.isNull(); }
    const QVariant& variant() const { return m_value; }

    // Invalid use of Null (94) when the field holds no value.
    QString toText() const;
    // A field without a value counts as empty text.
    QString textOrEmpty() const;
    // Invalid use of Null (94), type mismatch (13) or overflow (6).
    int16_t toInt16() const;
    // Stored as 'YYYY-MM-DD'; type mismatch (13) for other text, 94 for Null.
    QDate toDate() const;

private:
    QVariant m_value;
};
