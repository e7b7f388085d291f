#include "platform/forms/NullableDateEdit.h"

#include "platform/Clock.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/FourDigitYears.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QHBoxLayout>
#include <QLocale>

namespace {

// The earliest date a field takes stands for no date, and shows as nothing.
const QDate noDate(100, 1, 1);

}

NullableDateEdit::NullableDateEdit(QWidget* parent) : QWidget(parent)
{
    m_check = new QCheckBox(this);
    m_edit = new QDateEdit(this);
    m_edit->setCalendarPopup(true);
    m_edit->setMinimumDate(noDate);
    m_edit->setSpecialValueText(QStringLiteral(" "));
    showFormat();
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

void NullableDateEdit::showFormat()
{
    m_edit->setDisplayFormat(withFourDigitYears(locale().dateFormat(QLocale::ShortFormat)));
}

void NullableDateEdit::showNoDate()
{
    m_edit->setDate(noDate);
}

void NullableDateEdit::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LocaleChange)
        showFormat();
    QWidget::changeEvent(event);
}

std::optional<QDate> NullableDateEdit::value() const
{
    if (!m_check->isChecked() || m_edit->date() == noDate)
        return std::nullopt;
    return m_edit->date();
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
