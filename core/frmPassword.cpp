#include "core/frmPassword.h"

#include "core/AppState.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/PasswordChange.h"
#include "platform/text/VbText.h"
#include "platform/text/Windows1252Validator.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString words(std::initializer_list<const char*> list)
{
    QStringList translated;
    for (const char* w : list)
        translated << Translate(QString::fromLatin1(w));
    return translated.join(QLatin1Char(' '));
}

}

frmPassword::frmPassword()
{
    setWindowTitle(QStringLiteral("Password"));
    m_rows = new QGridLayout;
    const char* designed[3] = {"Current Password:", "New Password:", "Confirm New Password:"};
    QLineEdit** boxes[3] = {&CurrentPswrd, &NewPswrd, &NewConfirmed};
    for (int i = 0; i < 3; ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(designed[i]), this);
        *boxes[i] = new QLineEdit(this);
        (*boxes[i])->setEchoMode(QLineEdit::Password);
        // What is typed must be what the password file can hold.
        (*boxes[i])->setValidator(new Windows1252Validator(*boxes[i]));
        m_rows->addWidget(Label1[i], i, 0);
        m_rows->addWidget(*boxes[i], i, 1);
    }
    cmdUpdate = new QPushButton(QStringLiteral("OK"), this);
    cmdUpdate->setToolTip(QStringLiteral("Update New Password.."));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    setCancelButton(cmdCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdUpdate);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_rows);
    layout->addLayout(buttons);
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { UpdatePassword(); });
    connect(NewConfirmed, &QLineEdit::returnPressed, this, [this] { guarded(205, [this] { UpdatePassword(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded(201, [this] { unloadForm(); }); });
}

void frmPassword::initializeLabels()
{
    guarded(202, [this] {
        Label1[0]->setText(words({"Current", "Password"}));
        Label1[1]->setText(words({"New", "Password"}));
        Label1[2]->setText(words({"Confirm", "New", "Password"}));
    });
}

void frmPassword::Form_Load()
{
    guarded(203, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        for (QLineEdit* box : {CurrentPswrd, NewPswrd, NewConfirmed})
            box->setMaxLength(8);
        initializeLabels();
        hideCurrentRowWhenEmpty();
    });
}

void frmPassword::hideCurrentRowWhenEmpty()
{
    const bool none = VbText::trim(appState().SessionPassword).isEmpty();
    Label1[0]->setVisible(!none);
    CurrentPswrd->setVisible(!none);
    adjustSize();
}

void frmPassword::UpdatePassword()
{
    guarded(212, [this] {
        int code = ValidatePasswordChange(CurrentPswrd->text(), NewPswrd->text(), NewConfirmed->text(), m_level);
        if (code == PasswordCode::Ok)
            code = SavePassword(m_level, NewPswrd->text());
        if (code == PasswordCode::Ok) {
            m_changeTries = 0;
            unloadForm();
            return;
        }
        NewPswrd->clear();
        NewConfirmed->clear();
        if (code == PasswordCode::IllegalCurrent) {
            CurrentPswrd->setEnabled(true);
            CurrentPswrd->clear();
            CurrentPswrd->setFocus();
        } else {
            NewPswrd->setFocus();
        }
        if (++m_changeTries % 3 == 0)
            unloadForm();
    });
}

void frmPassword::Form_Unload()
{
    RefreshMainToolbar();
}
