#include "platform/forms/TimeBox.h"

TimeBox::TimeBox(QWidget* parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99:99;_"));
}

void TimeBox::setMaskText(const QString& text)
{
    if (text.isEmpty() || text == EmptyMask)
        clear();
    else
        setText(text);
}
