#include "core/frmAboutGT430.h"

#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/ProgramVersion.h"
#include "platform/forms/PictureBox.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

frmAboutGT430::frmAboutGT430()
{
    PicImg = new PictureBox(QStringLiteral(":/pictures/about.svg"), this);
    PicImg->setFixedSize(96, 96);
    lblTitle = new QLabel(this);
    QFont title = lblTitle->font();
    title.setPointSize(16);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = new QLabel(this);
    lblDescription = new QLabel(this);
    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setWordWrap(true);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);

    auto* layout = new QGridLayout(this);
    layout->addWidget(PicImg, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(lblVersion, 1, 1);
    layout->addWidget(lblDescription, 2, 1);
    layout->addWidget(lblDisclaimer, 3, 0, 1, 2);
    layout->addWidget(cmdOK, 4, 1, Qt::AlignRight);
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded(602, [this] { unloadForm(); }); });
}

void frmAboutGT430::Form_Load()
{
    guarded(603, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        setWindowTitle(Translate(QStringLiteral("About")) + QStringLiteral(" GT-430"));
        lblVersion->setText(Translate(QStringLiteral("Pc Software Version ")) + programVersionText() +
                            QStringLiteral("\r\n") + Translate(QStringLiteral("Firmware Version")) +
                            QStringLiteral(" Gt430v19 ") + Translate(QStringLiteral("or later")));
        lblTitle->setText(Translate(QStringLiteral("Access Control GT-430")));
        lblDescription->setText(
            Translate(QStringLiteral("Management program for the GT-430 door access-control unit")));
        lblDisclaimer->setText(
            Translate(QStringLiteral("Designed for one stand-alone door unit on a serial port.")) + QLatin1Char(' ') +
            Translate(QStringLiteral("This program is provided as it is, without warranty of any kind.")));
    });
}

void frmAboutGT430::Form_Unload()
{
    RefreshMainToolbar();
}
