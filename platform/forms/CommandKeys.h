#pragma once

#include <QKeySequence>
#include <QString>

class QAction;

// The keys of a window's toolbar commands. Each command's tool tip ends with
// its key in brackets, "Save report at file (Ctrl+S)", in the language in use
// (Qt names the keys in German as "Strg+S"); the window's translation works on
// the tip without the key and the key is written after it again.
namespace CommandKeys {

// Gives the command its key, which works wherever the focus stands in the
// command's window, and shows it in the tool tip.
void give(QAction* command, const QKeySequence& key);
// Shows in the tool tip a key the window handles itself (F1, Esc, Enter).
void showInTip(QAction* command, const QKeySequence& key);

bool hasKey(const QAction* command);
// The tip Qt makes of a caption that has none of its own: without its &
// marks, dots and blanks.
QString tipOfCaption(QString caption);
// The tool tip as it stands, without the key.
QString tipWithoutKey(const QAction* command);
// Writes the tool tip anew: `tip` and the key, named in the language in use.
void setTip(QAction* command, const QString& tip);

}
