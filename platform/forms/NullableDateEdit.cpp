#include "platform/forms/NullableDateEdit.h"

#include "platform/text/DateTimeText.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLocale>

NullableDateEdit::NullableDateEdit(QWidget* parent) : QWidget(parent)
{
    m_check = new QCheckBox(this);
    m_edit = new QDateEdit(this);
    m_edit->setCalendarPopup(true);
    m_edit->setDisplayFormat(QLocale::system().dateFormat(QLocale::ShortFormat));
    m_edit->setDate(QDate::currentDate());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_check);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
    connect(m_check, &QCheckBox::toggled, m_edit, &QWidget::setEnabled);
    setValue(std::nullopt);
}

std::optional<QDate> NullableDateEdit::value() const
{
    if (!m_check->isChecked())
        return std::nullopt;
    return m_edit->date();
}

void NullableDateEdit::setValue(const std::optional<QDate>& date)
{
    if (date && date->isValid()) {
        m_edit->setDate(*date);
        m_check->setChecked(true);
    } else {
        m_check->setChecked(false);
    }
    m_edit->setEnabled(m_check->isChecked());
}

QVariant NullableDateEdit::storedValue() const
{
    const auto date = value();
    return date ? QVariant(DateTimeText::isoDate(*date)) : QVariant(QMetaType(QMetaType::QString));
}
