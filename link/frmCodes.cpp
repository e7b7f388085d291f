#include "link/frmCodes.h"

#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/Messages.h"
#include "core/SharedLookups.h"
#include "link/CodeDecoding.h"
#include "link/LinkState.h"
#include "platform/forms/FormTimer.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmCodes::frmCodes()
{
    setWindowTitle(QStringLiteral("Read Card"));
    lblReadCard = new QLabel(QStringLiteral("Please swipe prox or enter Pin code on the reader..."), this);
    lblReadCard->setWordWrap(true);
    cmdClose = new QPushButton(QStringLiteral("Cancel"), this);
    setCancelButton(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblReadCard);
    layout->addWidget(cmdClose, 0, Qt::AlignRight);
    connect(cmdClose, &QPushButton::clicked, this, [this] { guarded(251, [this] { unloadForm(); }); });
    ReadTimer = new FormTimer(
        180, [this] { ReadTimer_Timer(); }, this);
    resize(360, 120);
}

frmCodes::~frmCodes() = default;

void frmCodes::Form_Load()
{
    guarded(252, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        linkState().CodeCaptured = false;
        m_reads = std::make_unique<CodeReadSubscription>();
        ReadTimer->setEnabled(true);
    });
}

void frmCodes::ReadTimer_Timer()
{
    guarded(255, [this] {
        // A read waits while the database is closed for a moment: the check needs the register.
        if (!isVisible() || !m_reads || !m_reads->pending() || MainDatabaseAway())
            return;
        const CodeRead read = *m_reads->take();
        LinkState& link = linkState();
        if (read.Packet.hasByte(4))
            link.CapturedCodeType = CodeDecoding::isCard(read.Packet.byte(4)) ? 2 : 1;
        link.CapturedCode = read.Code;
        SetLastSlot(read.Slot); // the slot of the read captured, whatever came after it
        if (CheckCode()) {
            link.CodeCaptured = true;
            unloadForm();
        }
    });
}

bool frmCodes::CheckCode()
{
    bool free = false;
    guarded(256, [&] {
        const QString code = VbText::trim(linkState().CapturedCode).left(12);
        if (code.isEmpty())
            return;
        Recordset employees = Db().openTable(QStringLiteral("tblEmployees"));
        if (!FindRecord(employees, QStringLiteral("trim(Employee_Code, ' ') = ?"), {code})) {
            free = true;
            return;
        }
        ShowWarning(Translate(QStringLiteral("This card already use by Employee No.")) +
                    employees.field(0).textOrEmpty());
    });
    return free;
}

void frmCodes::Form_Unload()
{
    guarded(254, [this] {
        ReadTimer->setEnabled(false);
        // A read that came in but was not taken is no capture: it goes with the hand-over.
        m_reads.reset();
    });
}
