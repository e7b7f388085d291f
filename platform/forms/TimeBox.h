#pragma once

#include <QLineEdit>

// A masked "HH:mm" box: digits only, "_" for every place not typed. Its
// displayText() is what the rules read: "__:__" when empty, "08:__" half typed.
class TimeBox : public QLineEdit {
    Q_OBJECT
public:
    static inline const QString EmptyMask = QStringLiteral("__:__");

    explicit TimeBox(QWidget* parent = nullptr);

    // The box as the rules see it, prompt characters included.
    QString maskText() const { return displayText(); }
    // Shows the time, or empties the box for "" and "__:__".
    void setMaskText(const QString& text);
};
