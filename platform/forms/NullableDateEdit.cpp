#include "platform/forms/NullableDateEdit.h"

#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"

#include <QCheckBox>
#include <QHBoxLayout>

NullableDateEdit::NullableDateEdit(QWidget* parent) : QWidget(parent)
{
    m_check = new QCheckBox(this);
    m_edit = new DateField(this);
    m_edit->setCalendarPopup(true);
    // Any year is read, for the window to refuse with its own years.
    m_edit->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
    // A date ticked on starts at today's, to be typed over.
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        m_edit->setEnabled(on);
        if (!on)
            m_edit->setDate(QDate());
        else if (m_edit->text().trimmed().isEmpty())
            m_edit->setDate(programClock().now().date());
    });
    setValue(std::nullopt);
}

TypedDate NullableDateEdit::typed() const
{
    if (!m_check->isChecked())
        return {};
    return m_edit->takeTyped();
}

std::optional<QDate> NullableDateEdit::value() const
{
    const TypedDate date = typed();
    if (!date.isDate())
        return std::nullopt;
    return date.date;
}

void NullableDateEdit::setValue(const std::optional<QDate>& date)
{
    const bool valid = date && date->isValid();
    const QSignalBlocker quiet(m_check);
    m_check->setChecked(valid);
    m_edit->setDate(valid ? *date : QDate());
    m_edit->setEnabled(valid);
}

QVariant NullableDateEdit::storedValue() const
{
    const auto date = value();
    return date ? QVariant(DateTimeText::isoDate(*date)) : QVariant(QMetaType(QMetaType::QString));
}
