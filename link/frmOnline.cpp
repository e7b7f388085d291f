#include "link/frmOnline.h"

#include "core/AppState.h"
#include "core/HeldReports.h"
#include "core/LoginRules.h"
#include "core/MainDatabase.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/PrintBesideTheWindow.h"
#include "core/PrintGuard.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "link/LinkState.h"
#include "link/OnlineHistoryModel.h"
#include "link/ReceiveLog.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/ProgramEnd.h"
#include "platform/forms/CommandKeys.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/ToolbarButtons.h"
#include "platform/forms/Twips.h"
#include "platform/printing/PrintDialogs.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {

const int columnUnits[5] = {20, 24, 24, 14, 15};

void placeTwips(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

}

frmOnline::frmOnline()
{
    setWindowTitle(QStringLiteral("On-Line"));
    Toolbar1 = makeToolbar(this, ToolbarButton,
                           {{"Print", "Print Online table", ":/pictures/print.svg", "Ctrl+P"},
                            {"Help", "Show Help", ":/pictures/help.svg", "F1"},
                            {"   Close   ", "Close Form", ":/pictures/close.svg", "Esc"}},
                           [this](int b) { Toolbar1_ButtonClick(b); });

    History = new QTreeView(this);
    HistoryLines = new OnlineHistoryModel(this);
    HistoryLines->setIcons(style()->standardIcon(QStyle::SP_DialogApplyButton),
                           style()->standardIcon(QStyle::SP_DialogCancelButton));
    History->setModel(HistoryLines);
    History->setRootIsDecorated(false);
    History->setItemsExpandable(false);
    History->setUniformRowHeights(true);
    History->setSelectionMode(QAbstractItemView::SingleSelection);
    History->setSelectionBehavior(QAbstractItemView::SelectRows);
    History->setAllColumnsShowFocus(true);
    // The lines always stand newest first, by the moment of the event.
    History->header()->setSortIndicator(1, Qt::DescendingOrder);
    History->header()->setSortIndicatorShown(true);
    History->header()->setSectionsClickable(false);
    connect(History, &QTreeView::clicked, this, [this](const QModelIndex& index) { History_ItemClick(index); });

    EmpImage = new PictureBox(this);
    FrameDoors = new QGroupBox(QStringLiteral("Door Status"), this);
    lblDoorDescription = new QLabel(QStringLiteral("Door #1 - "), FrameDoors);
    ImageDoor = new PictureBox(FrameDoors);
    ImageDoor->setVisible(false);
    ImgTamper = new PictureBox(QStringLiteral(":/pictures/tamper-on.svg"), FrameDoors);
    ImgTamper->setVisible(false);
    lblTamper = new QLabel(QStringLiteral("Tamper"), FrameDoors);
    lblTamper->setVisible(false);

    StatusBar2 = new QStatusBar(this);
    StatusBar2->setSizeGripEnabled(false);
    statusDate = new QLabel(StatusBar2);
    statusTime = new QLabel(StatusBar2);
    for (QLabel* panel : {statusDate, statusTime}) {
        panel->setFixedWidth(Twips::toPixels(2540));
        StatusBar2->addWidget(panel);
    }
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, [this] { refreshClock(); });

    ReadCardTimer = new FormTimer(
        200, [this] { ReadCardTimer_Timer(); }, this);
    resize(Twips::toPixels(15000), Twips::toPixels(9000));
}

frmOnline::~frmOnline() = default;

void frmOnline::Form_Load()
{
    ShownEmpNumber = 0;
    enterProcedure(156);
    try {
        BusyPointer busy;
        InitHistoryColumns();
        SetColumnWidths();
        FormTranslator(BinaryDict()).TranslateForm(this);
        StatusShown = false;
        LoadHistory();
        // Every read handed over from now on comes to the list; none runs while the window loads.
        m_reads = std::make_unique<CodeReadSubscription>();
        AddWaitingReads();
        if (IsGuardOnlyRun()) {
            const QString exit = Translate(QStringLiteral("   Exit   "));
            ToolbarButton[3]->setText(exit);
            // Closing the guard's monitor ends the program: no key does it by chance.
            setCancelCommand(nullptr);
            CommandKeys::showInTip(ToolbarButton[3], QKeySequence());
            CommandKeys::setTip(ToolbarButton[3], exit);
        }
        InitCurrentEmp();
    } catch (const AppError& error) {
        if (error.number() != Err::PathNotFound)
            ReportError(156, error);
    }
    if (!m_reads)
        m_reads = std::make_unique<CodeReadSubscription>();
    ResizeControls();
    refreshClock();
    m_clock->start();
    ReadCardTimer->setEnabled(true);
}

void frmOnline::InitHistoryColumns()
{
    guarded(174, [this] {
        HistoryLines->setHeaders({Translate(QStringLiteral("Door Action")), Translate(QStringLiteral("Date & Time")),
                                  Translate(QStringLiteral("Name")), Translate(QStringLiteral("In/Out")),
                                  Translate(QStringLiteral("Remark"))});
        History->header()->setStretchLastSection(false);
        History->header()->setMinimumSectionSize(1);
    });
}

void frmOnline::SetColumnWidths()
{
    guarded(517, [this] {
        const auto unit =
            static_cast<int16_t>(static_cast<int16_t>(std::lround(Twips::fromPixels(History->width()) - 240)) / 100);
        for (int c = 0; c < 5; ++c)
            History->setColumnWidth(c, Twips::toPixels(static_cast<int16_t>(unit * columnUnits[c])));
    });
}

void frmOnline::ResizeControls()
{
    const double toolbarHeight = std::max(Twips::fromPixels(Toolbar1->sizeHint().height()), 900.0);
    Toolbar1->setGeometry(0, 0, width(), Twips::toPixels(toolbarHeight));
    const double innerWidth = Twips::fromPixels(width());
    const double innerHeight = Twips::fromPixels(height());
    const double statusHeight = 375;
    const double listWidth = std::max(innerWidth - 2520 - 240, 480.0);
    const double listHeight = std::max(innerHeight - 960 - statusHeight - 150, 480.0);
    placeTwips(History, 2520, 960, listWidth, listHeight);
    placeTwips(EmpImage, 360, 960, 1815, 2160);
    placeTwips(FrameDoors, 360, 3480, 1815, 1275);
    // Inside the door frame: the caption and the door's picture above, the tamper sign below.
    lblDoorDescription->setGeometry(Twips::toPixels(90), Twips::toPixels(300), Twips::toPixels(950),
                                    Twips::toPixels(260));
    ImageDoor->setGeometry(Twips::toPixels(1080), Twips::toPixels(220), Twips::toPixels(640), Twips::toPixels(640));
    ImgTamper->setGeometry(Twips::toPixels(90), Twips::toPixels(880), Twips::toPixels(330), Twips::toPixels(330));
    lblTamper->setGeometry(Twips::toPixels(480), Twips::toPixels(920), Twips::toPixels(1250), Twips::toPixels(260));
    StatusBar2->setGeometry(0, height() - Twips::toPixels(statusHeight), width(), Twips::toPixels(statusHeight));
}

void frmOnline::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    ResizeControls();
    SetColumnWidths();
}

void frmOnline::refreshClock()
{
    const QDateTime now = programClock().now();
    statusDate->setText(DateTimeText::shortDate(now.date()));
    statusTime->setText(DateTimeText::longTime(now.time()));
}

void frmOnline::LoadHistory()
{
    guarded(160, [this] {
        HistoryLines->load(programClock().now().date());
        if (HistoryLines->rowCount() == 0)
            return;
        selectFirstLine();
    });
}

void frmOnline::AddWaitingReads()
{
    // Reads the database has not taken yet are not in the history it gave.
    const QDate yesterday = HistoryLines->today().addDays(-1);
    bool added = false;
    for (const CodeRead& read : receiveLog().waitingReads()) {
        if (!read.Event || read.Packet.Received.date() < yesterday)
            continue;
        HistoryLines->addRecorded(*read.Event);
        added = true;
    }
    if (added)
        selectFirstLine();
}

bool frmOnline::AddHistoryItem(const RecordedEvent& event)
{
    HistoryLines->addRecorded(event);
    ShownEmpNumber = event.line.employeeNumber;
    return showPicture(event.line.pictureFile);
}

bool frmOnline::showPicture(const QString& path)
{
    // A picture that cannot be loaded leaves the box empty.
    return EmpImage->loadPicture(VbText::trim(path).isEmpty() ? appState().DefaultPictureFile : VbText::trim(path));
}

void frmOnline::selectFirstLine()
{
    if (HistoryLines->rowCount() == 0)
        return;
    const QModelIndex first = HistoryLines->index(0, 0);
    History->scrollTo(first);
    History->setCurrentIndex(first);
}

void frmOnline::InitCurrentEmp()
{
    guarded(158, [this] {
        if (HistoryLines->rowCount() == 0)
            return;
        const int selected = History->currentIndex().isValid() ? History->currentIndex().row() : 0;
        ShownEmpNumber = HistoryLines->lineAt(selected).employeeNumber;
        if (ShownEmpNumber <= 0) {
            EmpImage->loadPicture(appState().DefaultPictureFile);
            return;
        }
        Recordset rs = Db().openSql(QStringLiteral("SELECT tblEmployees.PictureFile, tblEmployees.Employee_Number "
                                                   "FROM tblEmployees WHERE tblEmployees.Employee_Number = ?"),
                                    {ShownEmpNumber});
        const QString path = rs.recordCount() > 0 ? VbText::trim(rs.field(0).textOrEmpty()) : QString();
        rs.close();
        EmpImage->loadPicture(path.isEmpty() ? appState().DefaultPictureFile : path);
    });
}

void frmOnline::History_ItemClick(const QModelIndex& index)
{
    guarded(163, [this, index] {
        if (HistoryLines->rowCount() == 0)
            return;
        if (index.isValid())
            History->setCurrentIndex(index);
        const int selected = History->currentIndex().isValid() ? History->currentIndex().row() : 0;
        ShownEmpNumber = HistoryLines->lineAt(selected).employeeNumber;
        InitCurrentEmp();
    });
}

void frmOnline::UpdateStatus()
{
    guarded(173, [this] {
        LinkState& link = linkState();
        ImageDoor->setVisible(true);
        if (link.DoorMode < DoorModeNormal || link.DoorMode > DoorModeBypass)
            SetDoorMode(DoorModeUnknown);
        StatusShown = true;
        const char* pictures[5] = {nullptr, ":/pictures/door-normal.svg", ":/pictures/door-secure.svg",
                                   ":/pictures/door-bypass.svg", ":/pictures/door-unknown.svg"};
        ImageDoor->loadPicture(QString::fromLatin1(pictures[link.DoorMode]));
        ImageDoor->setToolTip(Translate(QString::fromLatin1(link.DoorMode == DoorModeNormal   ? "Normal"
                                                            : link.DoorMode == DoorModeSecure ? "Secure"
                                                            : link.DoorMode == DoorModeBypass ? "Bypass"
                                                                                              : "Unknown")));
        // A door whose state is not known has no tamper state either.
        const bool tamper = link.TamperFlag && link.DoorMode != DoorModeUnknown;
        ImgTamper->setVisible(tamper);
        lblTamper->setVisible(tamper);
        m_shownMode = link.DoorMode;
        m_shownTamper = link.TamperFlag ? 1 : 0;
        link.DoorStatusChanged = false;
    });
}

void frmOnline::ReadCardTimer_Timer()
{
    {
        // A box of this tick waits until the lines are in; the reception goes on behind it.
        ReportHold hold;
        guarded(167, [this] {
            // Past midnight the day before yesterday leaves the list.
            HistoryLines->setToday(programClock().now().date());
            if (m_reads && m_reads->pending()) {
                bool added = false;
                for (const CodeRead& read : m_reads->takeAll()) {
                    if (!read.Event)
                        continue;
                    added = true;
                    const EventLine& line = read.Event->line;
                    if (!AddHistoryItem(*read.Event) && line.ownPicture)
                        ReportError(172, AppError(Err::FileNotFound,
                                                  QStringLiteral("File not found: %1").arg(line.pictureFile)));
                }
                // The newest line, first, is in view and selected after every read.
                if (added)
                    selectFirstLine();
            }
            const LinkState& link = linkState();
            // This panel redraws whenever the door differs from what it shows,
            // whichever window saw the status packet first.
            if (!StatusShown || link.DoorMode != m_shownMode || (link.TamperFlag ? 1 : 0) != m_shownTamper)
                UpdateStatus();
        });
    }
    ShowHeldReports();
}

void frmOnline::Toolbar1_ButtonClick(int button)
{
    switch (button) {
    case 1: PrintHistory(); break;
    case 2: HelpKey::press(this); break;
    case 3: CloseOnline(); break;
    default: break;
    }
}

void frmOnline::PrintHistory()
{
    guardedPrinting(154, [this] {
        if (HistoryLines->rowCount() == 0)
            return;
        showBusyPointer();
        const ChosenPrinter printer = ShowPrinter(PrinterDialogFlags);
        // The list goes on taking the door's reads while its lines are printed.
        const OnlineHistoryModel::Snapshot lines = HistoryLines->snapshot();
        PrintBesideTheWindow(printer, [&lines](Printer& on) { PrintOnlineTable(on, lines); });
    });
}

void frmOnline::PrintOnlineTable(Printer& printer, const OnlineHistoryModel::Snapshot& lines)
{
    guarded(152, [&] {
        const QString printedAt = PrintedAtText(programClock().now());
        const QString title = Translate(QStringLiteral("On-Line Table"));
        PrintoutLayout layout;
        layout.footerX = 600;
        printer.setDocumentName(title);
        Printout printout(
            printer, [&](bool continued) { PrintOnlinePage(printer, 600, 100, title, printedAt, continued); }, layout);
        printer.setFontSize(12);
        for (int i = 0; i < lines.size(); ++i) {
            const EventLine line = lines.lineAt(i);
            printout.bodyLine([&] {
                PrintRow(printer,
                         {{600, line.dateTime}, {3500, line.inOut}, {4500, line.doorAction}, {6500, line.name}});
            });
        }
        printout.finish();
    });
}

void frmOnline::PrintOnlinePage(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& PrintedAt,
                                bool Continued)
{
    guarded(153, [&] {
        PrintHeaderStart(printer, X, Y, Continued ? ContinuationMark() : QString(), PrintedAt);
        printer.setFontUnderline(true);
        printer.setFontSize(12);
        printer.setFontBold(true);
        PrintCentredLine(printer, Title);
        printer.printLine();
        printer.setCurrentX(X);
        printer.setFontUnderline(false);
        const std::pair<int, const char*> headings[4] = {
            {600, "Date"}, {3500, "In/Out"}, {4500, "Door Action"}, {6500, "Name"}};
        for (const auto& [left, heading] : headings) {
            printer.setCurrentX(left);
            PrintColumnHeading(printer, Translate(QString::fromLatin1(heading)), QString());
        }
        printer.printLine();
        printer.printLine();
    });
}

void frmOnline::CloseOnline()
{
    guarded(151, [this] {
        unloadForm();
        // A guard's run has nothing behind the monitor: it ends here, without saving the settings.
        if (IsGuardOnlyRun())
            endProgram();
    });
}

bool frmOnline::Form_QueryUnload(int mode)
{
    guarded(161, [mode] {
        MainWindowService* main = mainWindow();
        const bool guardMode = main && main->guardOnly();
        if (guardMode && mode == CloseBox) {
            CloseMainDatabase();
            endProgram();
        }
        if (!guardMode && main)
            main->showMainWindow();
    });
    return true;
}

void frmOnline::Form_Unload()
{
    guarded(162, [this] {
        ReadCardTimer->setEnabled(false);
        m_clock->stop();
        m_reads.reset();
        StatusShown = false;
        RefreshMainToolbar();
    });
}
