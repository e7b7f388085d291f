#pragma once

#include <QDateEdit>

// A date field in the short date order of its locale, with four-digit years.
// Two year digits typed stand for a year of this century up to this year's
// two digits, of the century before above them (85 is 1985, 07 is 2007); they
// are made four when the field is left, Enter or Tab is pressed, or its value
// is taken.
class DateField : public QDateEdit {
    Q_OBJECT
public:
    explicit DateField(QWidget* parent = nullptr);

    // The date shown, once what was typed has been taken.
    QDate typedDate();
    // Takes a two-digit year typed but not yet made four.
    void takeTyped();

protected:
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showFormat();
};
