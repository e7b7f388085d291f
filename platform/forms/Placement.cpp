#include "platform/forms/Placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

QMargins marginsOf(const QWidget* window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

bool knowsFrame(const QWidget* window)
{
    return window && window->isVisible() && window->isWindow() && marginsOf(window) != QMargins();
}

// A window never shown has no size of its own yet: take the one its layout asks for.
void takeSize(QWidget* window)
{
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
}

}

QRect availableArea(const QWidget* window, const QWidget* owner)
{
    const QScreen* screen = owner ? owner->screen() : nullptr;
    if (!screen && window && window->isVisible())
        screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QMargins frameMargins(const QWidget* window, const QWidget* owner)
{
    if (knowsFrame(window))
        return marginsOf(window);
    if (knowsFrame(owner))
        return marginsOf(owner);
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && knowsFrame(other))
            return marginsOf(other);
    }
    // Nothing on the screen tells it yet; the first activation puts it right.
    return window && window->windowFlags().testFlag(Qt::FramelessWindowHint) ? QMargins() : QMargins(4, 32, 4, 4);
}

void keepOnScreen(QWidget* window, const QWidget* owner)
{
    takeSize(window);
    const QRect area = availableArea(window, owner);
    if (!area.isValid())
        return;
    const QMargins frame = frameMargins(window, owner);
    const QSize room = area.marginsRemoved(frame).size();
    const QSize least = window->minimumSize().expandedTo(window->minimumSizeHint());
    const QSize size = window->size().boundedTo(room).expandedTo(least);
    if (size != window->size())
        window->resize(size);
    QRect outer(window->pos(), size.grownBy(frame));
    outer.moveRight(qMin(outer.right(), area.right()));
    outer.moveBottom(qMin(outer.bottom(), area.bottom()));
    outer.moveLeft(qMax(outer.left(), area.left()));
    outer.moveTop(qMax(outer.top(), area.top()));
    if (outer.topLeft() != window->pos())
        window->move(outer.topLeft());
}

void centreOver(QWidget* window, const QWidget* owner)
{
    takeSize(window);
    const QRect area = availableArea(window, owner);
    const QPoint middle = owner && owner->isVisible() ? owner->frameGeometry().center() : area.center();
    QRect placed(QPoint(0, 0), window->size().grownBy(frameMargins(window, owner)));
    placed.moveCenter(middle);
    window->move(placed.topLeft());
    keepOnScreen(window, owner);
}

void fillScreen(QWidget* window)
{
    const QRect area = availableArea(window);
    if (!area.isValid())
        return;
    const QMargins frame = frameMargins(window);
    window->resize(area.marginsRemoved(frame).size());
    window->move(area.topLeft());
}

int widestOnScreen(const QWidget* window, const QWidget* owner)
{
    const QMargins frame = frameMargins(window, owner);
    return availableArea(window, owner).width() - frame.left() - frame.right();
}
