#pragma once

#include "platform/forms/DateField.h"

#include <QDate>
#include <QWidget>
#include <optional>

class QCheckBox;

// A date that may be "no date": a check box says whether there is one, and the
// date field beside it holds it (a DateField). With no date the field shows
// nothing. Stored as ISO text, or Null for no date. Reading the value takes
// what was typed into the field.
class NullableDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit NullableDateEdit(QWidget* parent = nullptr);

    // Nothing when the box is not ticked or the field was emptied, a date, or
    // text that is no date.
    TypedDate typed() const;
    // The date; nothing for no date and for text that is none.
    std::optional<QDate> value() const;
    void setValue(const std::optional<QDate>& date);
    // The value as it is stored: ISO text, or a Null value.
    QVariant storedValue() const;

    QCheckBox* checkBox() const { return m_check; }
    DateField* dateEdit() const { return m_edit; }

private:
    QCheckBox* m_check;
    DateField* m_edit;
};
