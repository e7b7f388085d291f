#include "reports/framework/frmReportWindow.h"

#include "core/AppState.h"
#include "core/BesideTheWindow.h"
#include "core/Messages.h"
#include "core/PrintBesideTheWindow.h"
#include "core/PrintGuard.h"
#include "core/WaitSeconds.h"
#include "employees/frmProgramming.h"
#include "platform/BackgroundTask.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompts.h"
#include "platform/db/DeferredCheckpoint.h"
#include "platform/files/SaveFileDialogs.h"
#include "platform/forms/AnimationBox.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/Placement.h"
#include "platform/forms/TimeBox.h"
#include "platform/forms/ToolbarButtons.h"
#include "platform/forms/Twips.h"
#include "platform/printing/PrintDialogs.h"
#include "platform/text/DateTimeText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/ReportMayRun.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/widgets/PreviewGridFit.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr double DesignWidth = 9000;

// The rows of a report's preview; a stored day shows in the short date form.
class ReportGridModel final : public QSqlQueryModel {
public:
    using QSqlQueryModel::QSqlQueryModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant value = QSqlQueryModel::data(index, role);
        if (role == Qt::DisplayRole && value.typeId() == QMetaType::QString)
            return DateTimeText::shortDateOfStored(value.toString());
        return value;
    }
};

// The filter window's animation plays while the work table fills, and the
// report window takes no clicks. The fill runs beside the window's thread:
// what the windows show changes on their thread, while the pause that ends a
// fill passes on the fill's, which folds the pages it wrote into the file
// meanwhile.
class WindowFillShow final : public FillShow {
public:
    explicit WindowFillShow(QWidget& window) : m_window(&window) {}

    void start() override
    {
        onWindowThread([window = m_window] {
            if (frmEmpReport* filter = FormInstance<frmEmpReport>::find()) {
                filter->anmAVI->setVisible(true);
                filter->anmAVI->open(ProgramFolder::path() + QStringLiteral("/findfile.avi"));
                filter->anmAVI->play();
            }
            if (window)
                window->setEnabled(false);
        });
    }

    void end(bool pause) override
    {
        if (pause) {
            DeferredCheckpoint::foldLog(Db());
            WaitSeconds(2);
        }
        onWindowThread([window = m_window] {
            if (window)
                window->setEnabled(true);
            if (frmEmpReport* filter = FormInstance<frmEmpReport>::find()) {
                filter->anmAVI->stop();
                filter->anmAVI->setVisible(false);
            }
        });
    }

private:
    static void onWindowThread(std::function<void()> change)
    {
        if (QThread::currentThread() == qApp->thread())
            change();
        else
            QMetaObject::invokeMethod(qApp, std::move(change), Qt::QueuedConnection);
    }

    QPointer<QWidget> m_window;
};

// While it lives, closing the report window or the filter window asks the
// work beside the window to stop; the close itself waits until the work has
// ended.
class StopOnClose {
public:
    explicit StopOnClose(Form& window) : m_hold(window)
    {
        const auto ask = [this] { stop.request(); };
        m_closes << QObject::connect(&window, &Form::unloadAsked, &window, ask);
        if (frmEmpReport* filter = FormInstance<frmEmpReport>::find(); filter && filter != &window)
            m_closes << QObject::connect(filter, &Form::unloadAsked, &window, ask);
    }
    ~StopOnClose()
    {
        for (const QMetaObject::Connection& close : std::as_const(m_closes))
            QObject::disconnect(close);
    }
    StopOnClose(const StopOnClose&) = delete;
    StopOnClose& operator=(const StopOnClose&) = delete;

    BackgroundTask::StopRequest stop;

private:
    Form::Hold m_hold;
    QList<QMetaObject::Connection> m_closes;
};

}

frmReportWindow::frmReportWindow(std::unique_ptr<Report> report, ProcedureNumbers numbers, int noticeButtons)
    : m_report(std::move(report)), m_numbers(numbers), m_noticeButtons(noticeButtons)
{
    Toolbar1 = makeToolbar(this, ToolbarButton,
                           {{"Save", "Save report at file", ":/pictures/save.svg", "Ctrl+S"},
                            {"Print", "Print report", ":/pictures/print.svg", "Ctrl+P"},
                            {"Help", "Shoe help", ":/pictures/help.svg", "F1"},
                            {"   Close   ", "Close form", ":/pictures/close.svg", "Esc"}},
                           [this](int b) { Toolbar1_ButtonClick(b); });
    m_model = new ReportGridModel(this);
    MSFlexGrid1 = new QTableView(this);
    MSFlexGrid1->setModel(m_model);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    MSFlexGrid1->verticalHeader()->setVisible(false);
    // One line a row: the columns are fitted to the values on the screen.
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->verticalHeader()->setDefaultSectionSize(MSFlexGrid1->fontMetrics().height() + 6);
    MSFlexGrid1->horizontalHeader()->setMinimumSectionSize(1);
    m_fit = new PreviewGridFit(*MSFlexGrid1);
    lblMatchLines = new QLabel(QStringLiteral("(*) Incompleted Data"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Toolbar1);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addWidget(lblMatchLines);
    resize(Twips::toPixels(DesignWidth), Twips::toPixels(6600));
}

frmReportWindow::~frmReportWindow() = default;

void frmReportWindow::Form_Load()
{
    FormTranslator(BinaryDict()).TranslateForm(this);
}

bool frmReportWindow::mayRun(Operation operation)
{
    const std::optional<MissingDefault> missing =
        missingDefault(m_report->kind(), appState().DefaultStartTime, appState().DefaultWorkHours);
    if (!missing)
        return true;
    const QString text = Translate(missing->message);
    if (missing->previewWarns && operation == Operation::Preview)
        ShowWarning(text);
    else
        ShowNotice(text);
    frmProgramming& settings = FormInstance<frmProgramming>::get();
    settings.showModeless(opener());
    QWidget* field = settings.cmbHours[0];
    if (missing->setting == MissingDefault::Setting::StartTime)
        field = settings.txtTime[0];
    settings.FocusWorkingDaysField(field);
    return false;
}

QString frmReportWindow::chooseSaveFile()
{
    return ShowSaveReportFile();
}

const QWidget* frmReportWindow::opener() const
{
    if (isVisible())
        return this;
    return FormInstance<frmEmpReport>::find();
}

void frmReportWindow::Toolbar1_ButtonClick(int button)
{
    switch (button) {
    case 1: cmdSave_Click(); break;
    case 2: cmdPrintReport_Click(); break;
    case 3: ShowReportHelp(); break;
    case 4: CloseReport(); break;
    default: break;
    }
}

void frmReportWindow::ShowReportHelp()
{
    guarded(m_numbers.help, [this] { HelpKey::press(this); });
}

void frmReportWindow::CloseReport()
{
    guarded(m_numbers.close, [this] { unloadForm(); });
}

bool frmReportWindow::fillWorkTable()
{
    // The door settings' defaults as they stand now: the window's thread may change them meanwhile.
    ReportFilters filters = m_filters;
    filters.defaultStartTime = appState().DefaultStartTime;
    filters.defaultWorkHours = appState().DefaultWorkHours;
    WindowFillShow show(*this);
    StopOnClose closes(*this);
    bool filled = false;
    {
        // The receive tick's commits leave the fill's pages to the fill, which folds them itself.
        DeferredCheckpoint deferred(Db());
        filled = RunBesideTheWindow([&] {
            const BackgroundTask::StopRequest::Watch watch(closes.stop);
            return m_report->fill(filters, show);
        });
    }
    return filled && !unloadPutOff();
}

void frmReportWindow::showNotice(const QString& text)
{
    showNormalPointer();
    TranslatedMsgBox(text, QStringLiteral("GT-430"), MsgBox::KindNotice, m_noticeButtons);
}

void frmReportWindow::preview()
{
    if (!mayRun(Operation::Preview))
        return;
    enterProcedure(m_numbers.preview);
    try {
        showBusyPointer();
        if (!fillWorkTable()) {
            showNormalPointer();
            return;
        }
        setEnabled(true);
        const ReportQuery rows = m_report->previewQuery(m_filters);
        if (!hasRows(rows)) {
            showNotice(Translate(QStringLiteral("No Match With This Filters")));
            return;
        }
        m_model->setQuery(Db().queryForModel(rows.sql, rows.params));
        InitGrid();
        widenToColumns();
        showNormalPointer();
    } catch (const AppError& error) {
        setEnabled(true);
        showNormalPointer();
        ReportError(m_numbers.preview, error);
        return;
    }
    showModal(FormInstance<frmEmpReport>::find());
}

void frmReportWindow::InitGrid()
{
    guarded(m_numbers.grid, [this] {
        const QList<GridColumn> columns = m_report->gridColumns();
        QList<int> least;
        for (int c = 0; c < m_model->columnCount(); ++c) {
            const GridColumn column = c < columns.size() ? columns.at(c) : GridColumn{nullptr, 0};
            if (column.title)
                m_model->setHeaderData(c, Qt::Horizontal, Translate(QString::fromLatin1(column.title)));
            m_model->setHeaderData(c, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter), Qt::TextAlignmentRole);
            least << (column.width > 0 ? std::max(1, Twips::toPixels(column.width)) : 0);
        }
        m_fit->setLeastWidths(least);
    });
}

void frmReportWindow::widenToColumns()
{
    if (isVisible())
        return;
    ensurePolished();
    const QMargins margins = layout()->contentsMargins();
    const int wanted = m_fit->wantedWidth(height()) + margins.left() + margins.right();
    const int widest = widestOnScreen(this, FormInstance<frmEmpReport>::find());
    resize(std::min(std::max(Twips::toPixels(DesignWidth), wanted), widest), height());
}

void frmReportWindow::cmdSave_Click()
{
    if (!mayRun(Operation::Save))
        return;
    enterProcedure(m_numbers.save);
    try {
        showBusyPointer();
        setEnabled(true);
        if (!isVisible() && !fillWorkTable()) {
            showNormalPointer();
            return;
        }
        const ReportQuery rows = m_report->saveQuery(m_filters);
        if (!hasRows(rows)) {
            showNotice(Translate(QStringLiteral("No Match With This Filters")));
            return;
        }
        showNormalPointer();
        const QString path = chooseSaveFile();
        showBusyPointer();
        if (!writeFile(path, rows))
            return;
        showNotice(Translate(QStringLiteral("save file successful")));
    } catch (const AppError& error) {
        setEnabled(true);
        showNormalPointer();
        if (error.number() != Err::CancelError)
            ReportError(m_numbers.save, error);
    }
}

bool frmReportWindow::writeFile(const QString& path, const ReportQuery& rows)
{
    // Closed meanwhile, the window goes once the file is dropped: the file
    // chosen stays as it was.
    StopOnClose closes(*this);
    const TextFileLayout layout = m_report->textFileFor(m_filters);
    const bool wasEnabled = isEnabled();
    setEnabled(false);
    bool written = false;
    try {
        RunBesideTheWindow([&] {
            const BackgroundTask::StopRequest::Watch watch(closes.stop);
            writeReportFile(path, layout, rows);
        });
        written = true;
    } catch (const BackgroundTask::Stopped&) {
        showNormalPointer();
    }
    setEnabled(wasEnabled);
    return written;
}

void frmReportWindow::cmdPrintReport_Click()
{
    if (!mayRun(Operation::Print))
        return;
    guardedPrinting(m_numbers.print, [this] {
        showBusyPointer();
        setEnabled(true);
        if (!isVisible() && !fillWorkTable())
            return;
        if (!hasRows(m_report->printQuery(m_filters))) {
            showNotice(Translate(QStringLiteral("No Match With This Filters")));
            return;
        }
        const ChosenPrinter printer = ShowPrinter(PrinterDialogFlags);
        const PrintRun run{programClock().now(), true};
        PrintBesideTheWindow(printer, [this, &run](Printer& on) { printReport(*m_report, on, m_filters, run); });
    });
    setEnabled(true);
}
