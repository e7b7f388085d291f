#include "platform/forms/FormRegistry.h"

#include "platform/ProgramEnd.h"
#include "platform/forms/Form.h"

#include <QSet>
#include <QTimer>

namespace {

QSet<Form*>& loaded()
{
    static QSet<Form*> forms;
    return forms;
}

std::function<void()>& lastFormHandler()
{
    static std::function<void()> handler;
    return handler;
}

}

void FormRegistry::formLoaded(Form* form)
{
    loaded().insert(form);
}

void FormRegistry::formUnloaded(Form* form)
{
    loaded().remove(form);
    if (!loaded().isEmpty())
        return;
    if (lastFormHandler()) {
        lastFormHandler()();
        return;
    }
    QTimer::singleShot(0, [] {
        if (loaded().isEmpty())
            endProgram();
    });
}

void FormRegistry::setLastFormHandler(std::function<void()> handler)
{
    lastFormHandler() = std::move(handler);
}

void FormRegistry::catchUpLanguage()
{
    const QSet<Form*> forms = loaded();
    for (Form* form : forms) {
        if (form->isVisible())
            form->catchUpLanguage();
    }
}

void FormRegistry::destroyAllForTests()
{
    const QSet<Form*> forms = loaded();
    loaded().clear();
    for (Form* form : forms)
        delete form;
}
