#pragma once

#include <QString>

class QWidget;

// F1 on a window opens that window's help topic. A window may also carry a
// context number for a while (as the main window does for technical support,
// or the password dialog for the password rules); F1 then opens that instead.
// A window's own Help button calls press(), which does exactly what F1 does.
// Both are kept as the window's properties "helpTopic" and "helpContext".
namespace HelpKey {

// Gives `window` its topic (the window's name, e.g. "frmOnline") and the F1 key.
void install(QWidget* window, const QString& topic);
// 0 returns the window to its topic.
void setContext(QWidget* window, int context);

QString topic(const QWidget* window);
int context(const QWidget* window);

// Opens the help of the window that holds `widget`: its context number, else
// its topic, else the nearest owner's; the contents when none has any.
void press(QWidget* widget);

}
