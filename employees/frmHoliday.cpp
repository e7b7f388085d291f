#include "employees/frmHoliday.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/widgets/SelectAndFocus.h"
#include "employees/Holidays.h"
#include "platform/forms/DateField.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

frmHoliday::frmHoliday()
{
    setWindowTitle(QStringLiteral("Holidays"));
    SSTab1 = new QTabWidget(this);
    auto* page = new QWidget;
    dtpHoliday = new DateField(page);
    // Day and month only; the year stays the stored one, which lets 29 February be chosen.
    dtpHoliday->showDayAndMonthOf(Holidays::StoredYear);
    dtpHoliday->setCalendarPopup(true);
    dtpHoliday->setDate(QDate(Holidays::StoredYear, 1, 1));
    txtHolliday = new QLineEdit(page);
    auto* form = new QFormLayout(page);
    form->addRow(new QLabel(QStringLiteral("Date:"), page), dtpHoliday);
    form->addRow(new QLabel(QStringLiteral("Holiday Name:"), page), txtHolliday);
    SSTab1->addTab(page, QStringLiteral("Holiday"));
    cmdSave = new QPushButton(QStringLiteral("Ok"), this);
    setDefaultButton(cmdSave);
    Quit = new QPushButton(QStringLiteral("Cancel"), this);
    setCancelButton(Quit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(Quit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(Quit, &QPushButton::clicked, this, [this] { Quit_Click(); });
}

void frmHoliday::Form_Load()
{
    guarded(571, [this] { FormTranslator(BinaryDict()).TranslateForm(this); });
}

void frmHoliday::cmdSave_Click()
{
    guarded(570, [this] {
        // What cannot be read is refused, never taken as another day.
        const TypedDate typed = dtpHoliday->takeTyped();
        if (!typed.isDate()) {
            ShowInputWarning(Translate(QStringLiteral("Invalid Date!")));
            SelectAndFocus(dtpHoliday);
            return;
        }
        if (Holidays::add(Db(), typed.date, txtHolliday->text()) == Holidays::AddResult::AlreadyThere) {
            ShowWarning(Translate(QStringLiteral("This Date already exist")));
            return;
        }
        unloadForm();
    });
}

void frmHoliday::Quit_Click()
{
    guarded(570, [this] { unloadForm(); });
}
