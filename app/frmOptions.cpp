#include "app/frmOptions.h"

#include "app/frmMain.h"
#include "core/AppState.h"
#include "core/Messages.h"
#include "core/frmCompact.h"
#include "core/frmLogin.h"
#include "core/frmPasswords.h"
#include "link/frmPrpComms.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TabCaptions.h"
#include "platform/forms/Twips.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct Task {
    const char* caption;
    const char* description;
    const char* picture;
};

const Task tasks[4] = {
    {"Communication Setup", "Use this option to change the settings for cable communications", ":/pictures/online.svg"},
    {"Language", "Use this option to change the language of the program to any one of the supported languages.",
     ":/pictures/help.svg"},
    {"Operators",
     "Use this option to grant or deny operators access to the program's features, and to change passwords and "
     "other settings.",
     ":/pictures/login.svg"},
    {"Database Status", "Use this option to periodical Compact and Refresh of Database.", ":/pictures/compact.svg"},
};

// An error that the original raised for a step to be run again; a step is
// retried a few times at most, never without end.
constexpr int RetryStepError = 1000;
constexpr int RetryLimit = 3;

template <class Step>
void withRetry(Step&& step)
{
    for (int attempt = 1;; ++attempt) {
        try {
            step();
            return;
        } catch (const AppError& error) {
            if (error.number() != RetryStepError || attempt == RetryLimit)
                throw;
        }
    }
}

}

frmOptions::frmOptions()
{
    setWindowTitle(QStringLiteral(" Options"));
    SSTab1 = new QTabWidget(this);
    keepTabCaptionsWhole(SSTab1);
    for (int i = 0; i < 4; ++i) {
        auto* page = new QWidget;
        cmdSetup[i] = new QPushButton(QString::fromLatin1(tasks[i].caption), page);
        lblMsg[i] = new QLabel(QString::fromLatin1(tasks[i].description), page);
        lblMsg[i]->setWordWrap(true);
        auto* picture = new PictureBox(QString::fromLatin1(tasks[i].picture), page);
        picture->setFixedSize(48, 48);
        auto* row = new QHBoxLayout(page);
        row->addWidget(picture, 0, Qt::AlignTop);
        auto* text = new QVBoxLayout;
        text->addWidget(lblMsg[i]);
        text->addWidget(cmdSetup[i], 0, Qt::AlignLeft);
        text->addStretch(1);
        row->addLayout(text, 1);
        SSTab1->addTab(page, QString::fromLatin1(tasks[i].caption));
        connect(cmdSetup[i], &QPushButton::clicked, this, [this, i] { cmdSetup_Click(i); });
    }
    cmdSetupCancel = new QPushButton(QStringLiteral("Close"), this);
    setCancelButton(cmdSetupCancel);
    connect(cmdSetupCancel, &QPushButton::clicked, this, [this] { unloadForm(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addWidget(cmdSetupCancel, 0, Qt::AlignRight);
    resize(Twips::toPixels(7200), Twips::toPixels(3600));
}

void frmOptions::Form_Load()
{
    FormTranslator(BinaryDict()).TranslateForm(this);
}

void frmOptions::cmdSetup_Click(int index)
{
    guarded(1501, [this, index] {
        switch (index) {
        case 0: openCommunicationSettings(); break;
        case 1: withRetry([] { FormInstance<frmMain>::get().cmdLanguage(); }); break;
        case 2: withRetry([this] { FormInstance<frmPasswords>::get().showModal(this); }); break;
        case 3: withRetry([this] { FormInstance<frmCompact>::get().showModal(this); }); break;
        default: break;
        }
    });
}

void frmOptions::openCommunicationSettings()
{
    AppState& s = appState();
    bool startedLogin = false;
    if (s.LaterLoginPassword.isEmpty()) {
        const QString engineer = VbText::trim(s.EngineerPassword);
        if (engineer.isEmpty() || engineer == VbText::trim(s.AdminPassword)) {
            withRetry([this] { FormInstance<frmPrpComms>::get().showModal(this); });
            s.SessionPassword.clear();
        } else {
            startedLogin = true;
            frmLogin& login = FormInstance<frmLogin>::get();
            withRetry([this, &login] { login.showModal(this); });
        }
    }
    if (!s.LaterLoginPassword.isEmpty()) {
        withRetry([this] { FormInstance<frmPrpComms>::get().showModal(this); });
        if (startedLogin)
            s.LaterLoginPassword.clear();
    }
}
