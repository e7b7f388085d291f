#include "platform/forms/NullableDateEdit.h"

#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"

#include <QCheckBox>
#include <QHBoxLayout>

namespace {

// The earliest date a field takes stands for no date, and shows as nothing.
const QDate noDate(100, 1, 1);

}

NullableDateEdit::NullableDateEdit(QWidget* parent) : QWidget(parent)
{
    m_check = new QCheckBox(this);
    m_edit = new DateField(this);
    m_edit->setCalendarPopup(true);
    m_edit->setMinimumDate(noDate);
    m_edit->setSpecialValueText(QStringLiteral(" "));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
    // A date ticked on starts at today's, to be typed over.
    connect(m_check, &QCheckBox::toggled, this, [this](bool on) {
        m_edit->setEnabled(on);
        if (!on)
            showNoDate();
        else if (m_edit->date() == noDate)
            m_edit->setDate(programClock().now().date());
    });
    setValue(std::nullopt);
}

void NullableDateEdit::showNoDate()
{
    m_edit->setDate(noDate);
}

std::optional<QDate> NullableDateEdit::value() const
{
    if (!m_check->isChecked())
        return std::nullopt;
    const QDate date = m_edit->typedDate();
    if (date == noDate)
        return std::nullopt;
    return date;
}

void NullableDateEdit::setValue(const std::optional<QDate>& date)
{
    const bool valid = date && date->isValid() && *date > noDate;
    const QSignalBlocker quiet(m_check);
    m_check->setChecked(valid);
    if (valid)
        m_edit->setDate(*date);
    else
        showNoDate();
    m_edit->setEnabled(valid);
}

QVariant NullableDateEdit::storedValue() const
{
    const auto date = value();
    return date ? QVariant(DateTimeText::isoDate(*date)) : QVariant(QMetaType(QMetaType::QString));
}
