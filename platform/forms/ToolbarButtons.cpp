#include "platform/forms/ToolbarButtons.h"

#include "platform/forms/CommandKeys.h"
#include "platform/forms/Form.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

namespace {

void giveKey(QAction* button, QWidget* parent, const char* key)
{
    if (!key)
        return;
    const QString name = QString::fromLatin1(key);
    auto* form = qobject_cast<Form*>(parent->window());
    if (name == QLatin1String("Esc") && form)
        form->setCancelCommand(button);
    else if (name == QLatin1String("Enter") && form)
        form->setDefaultCommand(button);
    else if (name == QLatin1String("F1"))
        CommandKeys::showInTip(button, QKeySequence(Qt::Key_F1));
    else
        CommandKeys::give(button, QKeySequence(name, QKeySequence::PortableText));
}

}

QToolBar* makeToolbar(QWidget* parent, QAction** buttons, const QList<ToolbarButtonDesign>& designs,
                      const std::function<void(int)>& click)
{
    auto* toolbar = new QToolBar(parent);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(32, 32));
    buttons[0] = nullptr;
    for (int b = 1; b <= designs.size(); ++b) {
        const ToolbarButtonDesign& design = designs.at(b - 1);
        buttons[b] =
            toolbar->addAction(QIcon(QString::fromLatin1(design.picture)), QString::fromLatin1(design.caption));
        if (design.toolTip)
            buttons[b]->setToolTip(QString::fromLatin1(design.toolTip));
        if (QWidget* shown = toolbar->widgetForAction(buttons[b]))
            shown->setFocusPolicy(Qt::TabFocus);
        giveKey(buttons[b], parent, design.key);
        QObject::connect(buttons[b], &QAction::triggered, toolbar, [click, b] { click(b); });
    }
    return toolbar;
}
