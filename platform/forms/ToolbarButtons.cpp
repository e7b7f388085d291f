#include "platform/forms/ToolbarButtons.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>

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
        buttons[b]->setToolTip(QString::fromLatin1(design.toolTip));
        QObject::connect(buttons[b], &QAction::triggered, toolbar, [click, b] { click(b); });
    }
    return toolbar;
}
