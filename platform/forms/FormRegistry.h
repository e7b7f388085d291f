#pragma once

#include <QPointer>
#include <functional>

class Form;

// The default instances of the windows: a window is created on first use and
// gone once it has unloaded. When the last loaded window unloads, the program
// ends, as it did when no form remained.
namespace FormRegistry {

void formLoaded(Form* form);
void formUnloaded(Form* form);

// What happens when no window is left; by default the program ends once the
// running handler has finished.
void setLastFormHandler(std::function<void()> handler);

// After a change of language: every loaded window on screen is translated
// again at once; the others are when they are next shown.
void catchUpLanguage();

// Deletes every window at once, running none of their handlers.
void destroyAllForTests();

}

// The one instance of a window class, created and loaded on first use.
template <class T>
class FormInstance {
public:
    static T& get()
    {
        if (!s_form || !s_form->isLoaded()) {
            s_form = new T;
            s_form->load();
        }
        return *s_form;
    }
    static bool exists() { return s_form && s_form->isLoaded(); }
    static T* find() { return exists() ? s_form.data() : nullptr; }
    static void unload()
    {
        if (exists())
            s_form->unloadForm();
    }

private:
    static inline QPointer<T> s_form;
};
