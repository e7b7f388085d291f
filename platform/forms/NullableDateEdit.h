#pragma once

#include <QDate>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateEdit;

// A date that may be "no date": a check box says whether there is one, and the
// date field beside it holds it, in the short date form of the field's locale
// with four-digit years. With no date the field shows nothing. Stored as ISO
// text, or Null for no date.
class NullableDateEdit : public QWidget {
    Q_OBJECT
public:
    explicit NullableDateEdit(QWidget* parent = nullptr);

    std::optional<QDate> value() const;
    void setValue(const std::optional<QDate>& date);
    // The value as it is stored: ISO text, or a Null value.
    QVariant storedValue() const;

    QCheckBox* checkBox() const { return m_check; }
    QDateEdit* dateEdit() const { return m_edit; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void showFormat();
    void showNoDate();

    QCheckBox* m_check;
    QDateEdit* m_edit;
};
