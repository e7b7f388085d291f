#include "platform/widgets/WidgetPrompts.h"

#include "platform/widgets/LanguageDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// Messages carry carriage returns as line breaks; Qt's plain text wants line feeds.
QString displayText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A box sizes itself to its text, and Qt leaves its title only 50 pixels
// beside it: under a window manager that puts an icon and three buttons in
// the title bar, a short text cut "Warning" down to "W... g". The box is
// made wide enough for its title in a bold title font and about eight lines'
// height of the frame's own pictures.
void makeRoomForTitle(QMessageBox& box, const QString& title)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int wanted = metrics.horizontalAdvance(title) + 8 * metrics.height();
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

}

std::unique_ptr<QMessageBox> WidgetPrompts::makeMessageBox(const QString& text, const QString& title, int kind,
                                                           int buttons, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setText(displayText(text));
    box->setWindowTitle(title);
    box->setTextFormat(Qt::PlainText);
    if (kind == MsgBox::KindQuestion) {
        box->setIcon(QMessageBox::Question);
        if ((buttons & MsgBox::ButtonsMask) == MsgBox::YesNoCancel)
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        else
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setIcon(kind == MsgBox::KindNotice ? QMessageBox::Information : QMessageBox::Warning);
        box->setStandardButtons(QMessageBox::Ok);
    }
    makeRoomForTitle(*box, title);
    return box;
}

int WidgetPrompts::messageBox(const QString& text, const QString& title, int kind, int buttons)
{
    const auto box = makeMessageBox(text, title, kind, buttons, QApplication::activeWindow());
    switch (box->exec()) {
    case QMessageBox::Yes: return MsgBox::Yes;
    case QMessageBox::No: return MsgBox::No;
    case QMessageBox::Cancel: return MsgBox::Cancel;
    default: return MsgBox::Ok;
    }
}

std::optional<int> WidgetPrompts::chooseLanguage(const QString& title, const QStringList& languages, int current)
{
    LanguageDialog dialog(title, languages, current, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenIndex();
}
