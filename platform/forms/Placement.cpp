#include "platform/forms/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOver(QWidget* window, const QWidget* owner)
{
    // A window never shown has no size of its own yet: take the one its layout asks for.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QPoint middle = owner && owner->isVisible() ? owner->frameGeometry().center() : area.center();
    // Before it is shown its frame is not known; it will be like its owner's.
    QSize outer = window->frameGeometry().size();
    if (!window->isVisible() && owner && owner->isVisible())
        outer = window->size() + (owner->frameGeometry().size() - owner->size());
    QRect placed(QPoint(0, 0), outer);
    placed.moveCenter(middle);
    if (area.isValid()) {
        placed.moveRight(qMin(placed.right(), area.right()));
        placed.moveBottom(qMin(placed.bottom(), area.bottom()));
        placed.moveLeft(qMax(placed.left(), area.left()));
        placed.moveTop(qMax(placed.top(), area.top()));
    }
    window->move(placed.topLeft());
}

int widestOnScreen(const QWidget* window, const QWidget* owner)
{
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const int area = screen ? screen->availableGeometry().width() : window->width();
    // Before it is shown its frame is not known; it will be like its owner's.
    int frame = window->frameGeometry().width() - window->width();
    if (!window->isVisible() && owner && owner->isVisible())
        frame = owner->frameGeometry().width() - owner->width();
    return area - frame;
}
