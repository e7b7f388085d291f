#include "core/widgets/SelectAndFocus.h"

#include "core/Messages.h"

#include <QLineEdit>

bool SelectAndFocus(QLineEdit* field)
{
    bool done = false;
    guarded(890, [&] {
        if (!field)
            raiseError(Err::ObjectNotSet);
        if (!field->isEnabled())
            return;
        field->setSelection(0, static_cast<int>(field->displayText().size()));
        field->setFocus();
        done = true;
    });
    return done;
}
