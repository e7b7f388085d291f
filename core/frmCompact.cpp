#include "core/frmCompact.h"

#include "core/AppState.h"
#include "core/BesideTheWindow.h"
#include "core/DatabaseMaintenance.h"
#include "core/MainDatabase.h"
#include "core/Messages.h"
#include "platform/BusyPointer.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

namespace {

void setAdvice(QLabel* label, bool advised, const char* advisedText, const char* notNeededText)
{
    label->setText(Translate(QString::fromLatin1(advised ? advisedText : notNeededText)));
    label->setStyleSheet(advised ? QStringLiteral("color: rgb(255, 0, 0)") : QStringLiteral("color: rgb(0, 0, 0)"));
}

const char* const compactAdvised = "Compact Data is advisable.";
const char* const compactNotNeeded = "Compact Data is not necessary.";
const char* const cutAdvised = "Cut Down Data is advisable.";
const char* const cutNotNeeded = "Cut Down Data is not necessary.";

QGroupBox* frame(const QString& title, PictureBox* picture, QPushButton* button, QLabel* advice)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QGridLayout(box);
    picture->setFixedSize(48, 48);
    advice->setWordWrap(true);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(advice, 0, 1);
    layout->addWidget(button, 1, 1, Qt::AlignLeft);
    return box;
}

}

frmCompact::frmCompact()
{
    setWindowTitle(QStringLiteral("Database"));
    cmdCompact = new QPushButton(QStringLiteral("Compact"));
    lblCompact = new QLabel;
    Image1 = new PictureBox(QStringLiteral(":/pictures/compact.svg"));
    frCompact = frame(QStringLiteral("Compact"), Image1, cmdCompact, lblCompact);
    cmdCut = new QPushButton(QStringLiteral("Cut Down"));
    lblCut = new QLabel;
    Image2 = new PictureBox(QStringLiteral(":/pictures/cutdown.svg"));
    frCleaningOn = frame(QStringLiteral("Cut Down"), Image2, cmdCut, lblCut);
    cmdClose = new QPushButton(QStringLiteral("Close"));
    setCancelButton(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frCompact);
    layout->addWidget(frCleaningOn);
    layout->addWidget(cmdClose, 0, Qt::AlignRight);
    connect(cmdCompact, &QPushButton::clicked, this, [this] { cmdCompact_Click(); });
    connect(cmdCut, &QPushButton::clicked, this, [this] { cmdCut_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { unloadForm(); });
    resize(460, 320);
}

void frmCompact::Form_Load()
{
    guarded(1762, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        setAdvice(lblCompact, DatabaseMaintenance::compactAdvised(QFileInfo(appState().DbPath).size()), compactAdvised,
                  compactNotNeeded);
        setAdvice(lblCut, DatabaseMaintenance::cutAdvised(DatabaseMaintenance::readCardRows(Db())), cutAdvised,
                  cutNotNeeded);
    });
}

void frmCompact::setWorking(bool working)
{
    // While it works the window stays: what it started ends first.
    cmdCompact->setEnabled(!working && m_compactAllowed);
    cmdCut->setEnabled(!working && m_cutAllowed);
    cmdClose->setEnabled(!working);
}

void frmCompact::cmdCompact_Click()
{
    enterProcedure(2653);
    std::optional<AppError> failure;
    {
        Hold hold(*this);
        BusyPointer busy;
        setWorking(true);
        // The port stays open and its reader takes what comes: the reception
        // keeps it while the database is closed and stores it once it is back.
        CloseMainDatabaseForAMoment();
        try {
            const QString path = appState().DbPath;
            RunBesideTheWindowWithoutDatabase([path] { DatabaseMaintenance::compactFile(path); });
        } catch (const AppError& error) {
            failure = error;
        }
        // It comes back before anything is said, so nothing waits on a closed database.
        try {
            ReopenMainDatabase();
        } catch (const AppError& error) {
            if (!failure)
                failure = error;
        }
        if (!failure)
            m_compactAllowed = false;
        setWorking(false);
    }
    if (failure) {
        if (failure->number() == 2653)
            ShowWarning(Translate(QStringLiteral("Compact failed. Close the software and try Again")));
        else
            ReportError(2653, *failure, Translate(QStringLiteral("Compact Database is failed. Try Again")));
    } else {
        ShowNotice(Translate(QStringLiteral("Compact Succeed")));
        setAdvice(lblCompact, false, compactAdvised, compactNotNeeded);
    }
}

void frmCompact::cmdCut_Click()
{
    enterProcedure(1761);
    try {
        {
            Hold hold(*this);
            BusyPointer busy;
            setWorking(true);
            // On a connection of its own: the reception's ticks store between its slices.
            try {
                RunBesideTheWindow([] { DatabaseMaintenance::cutDown(Db()); });
            } catch (const AppError&) {
                setWorking(false);
                throw;
            }
            m_cutAllowed = false;
            setWorking(false);
        }
        ShowNotice(Translate(QStringLiteral("Cut Down Succeed!")));
        setAdvice(lblCut, false, cutAdvised, cutNotNeeded);
    } catch (const AppError& error) {
        if (error.number() != Err::ObjectInvalid)
            ReportError(1761, error);
    }
}
