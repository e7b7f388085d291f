#include "reports/framework/frmEmpReport.h"

#include "core/AppState.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/ReportKind.h"
#include "core/widgets/SelectAndFocus.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/forms/AnimationBox.h"
#include "platform/forms/DateField.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/ToolbarButtons.h"
#include "platform/forms/Twips.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"
#include "reports/framework/DefaultSchedule.h"
#include "reports/framework/FilterCheck.h"
#include "reports/framework/SortOrder.h"
#include "reports/framework/frmReportWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>

namespace {

// Alt and the letter after & choose the report; each language has its own letters.
const char* const kindCaptions[7] = {"&On Line ",     "&Absence ",     "Working Hours - &Details", "&Incompleted Hours",
                                     "&Late Arrival", "&Unauthorized", "Working Hours - &Total"};

// In the system's order of day, month and year, as the previews show dates.
DateField* datePicker(QWidget* parent)
{
    auto* picker = new DateField(parent);
    picker->setCalendarPopup(true);
    return picker;
}

std::array<ReportWindowRow, ReportKinds::Count>& launchTable()
{
    static std::array<ReportWindowRow, ReportKinds::Count> rows;
    return rows;
}

ReportWindowRow launchRow(int kind)
{
    return kind >= 0 && kind < ReportKinds::Count ? launchTable()[static_cast<size_t>(kind)] : ReportWindowRow{};
}

}

void frmEmpReport::registerReportWindow(int kind, ReportWindowRow row)
{
    if (kind >= 0 && kind < ReportKinds::Count)
        launchTable()[static_cast<size_t>(kind)] = row;
}

frmReportWindow* frmEmpReport::reportWindow(int kind)
{
    const ReportWindowRow row = launchRow(kind);
    return row.window ? row.window() : nullptr;
}

frmEmpReport::frmEmpReport()
{
    setWindowTitle(QStringLiteral("Reports"));

    // Enter previews the report chosen; the buttons' keys are the usual ones.
    Toolbar1 = makeToolbar(this, ToolbarButton,
                           {{"Preview", nullptr, ":/pictures/preview.svg", "Enter"},
                            {"Save", nullptr, ":/pictures/save.svg", "Ctrl+S"},
                            {"Print", nullptr, ":/pictures/print.svg", "Ctrl+P"},
                            {"Help", nullptr, ":/pictures/help.svg", "F1"},
                            {"   Close   ", nullptr, ":/pictures/close.svg", "Esc"}},
                           [this](int b) { Toolbar1_ButtonClick(b); });

    Frame3 = new QGroupBox(QStringLiteral("Report"), this);
    auto* kinds = new QVBoxLayout(Frame3);
    for (int i = 0; i < 7; ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(kindCaptions[i]), Frame3);
        kinds->addWidget(Option1[i]);
    }
    Option1[0]->setChecked(true);

    fraEmp = new QGroupBox(QStringLiteral("Employees"), this);
    txtFromEmp = new QLineEdit(fraEmp);
    txtToEmp = new QLineEdit(fraEmp);
    cmdSelectAll = new QPushButton(QStringLiteral("Remove All Employees"), fraEmp);
    auto* employees = new QGridLayout(fraEmp);
    employees->addWidget(new QLabel(QStringLiteral("From"), fraEmp), 0, 0);
    employees->addWidget(txtFromEmp, 0, 1);
    employees->addWidget(new QLabel(QStringLiteral("To"), fraEmp), 1, 0);
    employees->addWidget(txtToEmp, 1, 1);
    employees->addWidget(cmdSelectAll, 2, 0, 1, 2);
    for (QLineEdit* field : {txtFromEmp, txtToEmp}) {
        // Only digits can be typed.
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
        field->installEventFilter(this);
    }

    Frame5 = new QGroupBox(QStringLiteral("Date"), this);
    MaskFromDate = datePicker(Frame5);
    MaskToDate = datePicker(Frame5);
    auto* dates = new QGridLayout(Frame5);
    dates->addWidget(new QLabel(QStringLiteral("From"), Frame5), 0, 0);
    dates->addWidget(MaskFromDate, 0, 1);
    dates->addWidget(new QLabel(QStringLiteral("To"), Frame5), 1, 0);
    dates->addWidget(MaskToDate, 1, 1);

    Frame2 = new QGroupBox(QStringLiteral("Date Sorting"), this);
    OptSort[0] = new QRadioButton(Frame2);
    OptSort[1] = new QRadioButton(Frame2);
    Label6 = new QLabel(QStringLiteral("Ascending"), Frame2);
    Label7 = new QLabel(QStringLiteral("Descending"), Frame2);
    Label6->setBuddy(OptSort[0]);
    Label7->setBuddy(OptSort[1]);
    OptSort[0]->setChecked(true);
    auto* sorting = new QGridLayout(Frame2);
    sorting->addWidget(OptSort[0], 0, 0);
    sorting->addWidget(Label6, 0, 1);
    sorting->addWidget(OptSort[1], 1, 0);
    sorting->addWidget(Label7, 1, 1);
    sorting->setColumnStretch(1, 1);

    anmAVI = new AnimationBox(this);
    // Its room is kept while it is hidden: the window stays as it is when a report fills.
    QSizePolicy keptRoom = anmAVI->sizePolicy();
    keptRoom.setRetainSizeWhenHidden(true);
    anmAVI->setSizePolicy(keptRoom);
    anmAVI->setVisible(false);

    auto* right = new QVBoxLayout;
    right->addWidget(fraEmp);
    right->addWidget(Frame5);
    right->addWidget(Frame2);
    right->addStretch(1);
    right->addWidget(anmAVI, 0, Qt::AlignCenter);
    auto* body = new QHBoxLayout;
    body->addWidget(Frame3);
    body->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Toolbar1);
    layout->addLayout(body);

    // Connected once the design's selections stand: they are no user's choice.
    for (int i = 0; i < 7; ++i)
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Option1_Click(i);
        });
    for (int i = 0; i < 2; ++i)
        connect(OptSort[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                OptSort_Click(i);
        });
    connect(cmdSelectAll, &QPushButton::clicked, this, [this] { cmdSelectAll_Click(); });
}

void frmEmpReport::Form_Load()
{
    guarded(657, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        SetReportKind(0);
        const QDate today = programClock().now().date();
        MaskFromDate->setDate(today.addDays(-7));
        MaskToDate->setDate(today);
        txtToEmp->setText(QStringLiteral("500"));
        txtFromEmp->setText(QStringLiteral("1"));
        AllEmployeesSelected = true;
        SortOrder = QStringLiteral("Asc");
        ReloadDefaultSchedule();
    });
}

void frmEmpReport::Form_Unload()
{
    RefreshMainToolbar();
}

void frmEmpReport::Toolbar1_ButtonClick(int button)
{
    switch (button) {
    case 1: PreviewReport(); break;
    case 2: SaveReport(); break;
    case 3: PrintReport(); break;
    case 4: ShowEmpReportHelp(); break;
    case 5: CloseEmpReport(); break;
    default: break;
    }
}

void frmEmpReport::PreviewReport()
{
    launch(656, &ReportWindowRow::preview);
}

void frmEmpReport::SaveReport()
{
    launch(654, &ReportWindowRow::save);
}

void frmEmpReport::PrintReport()
{
    launch(653, &ReportWindowRow::print);
}

void frmEmpReport::launch(int16_t procId, Operation operation)
{
    // The window stays live while a report fills; a second launch meanwhile is ignored.
    if (m_launching)
        return;
    // Closing the window meanwhile waits until the report has ended.
    const Hold hold(*this);
    QScopedValueRollback<bool> launching(m_launching, true);
    guarded(procId, [&] {
        if (!ValidateFilters()) {
            showNormalPointer();
            return;
        }
        const ReportWindowRow row = launchRow(ReportKind);
        if (!row.window || !(row.*operation))
            return;
        frmReportWindow& window = *row.window();
        window.setFilters(filters());
        (row.*operation)(window);
    });
    if (operation == &ReportWindowRow::preview)
        showNormalPointer();
}

void frmEmpReport::ShowEmpReportHelp()
{
    guarded(665, [this] { HelpKey::press(this); });
}

void frmEmpReport::CloseEmpReport()
{
    guarded(652, [this] { unloadForm(); });
}

bool frmEmpReport::ValidateFilters()
{
    bool valid = false;
    guarded(659, [&] {
        const std::optional<FilterProblem> problem =
            checkFilters(txtFromEmp->text(), txtToEmp->text(), MaskFromDate->typedDate(), MaskToDate->typedDate(),
                         programClock().now().date());
        if (!problem) {
            valid = true;
            return;
        }
        QString text = Translate(problem->message);
        if (!problem->fieldName.isEmpty())
            text = Translate(problem->fieldName) + QStringLiteral(": ") + text;
        ShowInputWarning(text);
        switch (problem->focus) {
        case FilterProblem::Field::FromEmployee: SelectAndFocus(txtFromEmp); break;
        case FilterProblem::Field::ToEmployee: SelectAndFocus(txtToEmp); break;
        case FilterProblem::Field::FromDate: SelectAndFocus(MaskFromDate); break;
        case FilterProblem::Field::ToDate: SelectAndFocus(MaskToDate); break;
        case FilterProblem::Field::None: break;
        }
    });
    return valid;
}

ReportFilters frmEmpReport::filters() const
{
    return filtersOf(txtFromEmp->text(), txtToEmp->text(), MaskFromDate->typedDate(), MaskToDate->typedDate(),
                     sortDirectionOf(SortOrder));
}

void frmEmpReport::Option1_Click(int index)
{
    guarded(660, [&] {
        ResetFilterControls();
        if (index < 0 || index > 6)
            return;
        SetReportKind(index);
        if (index == ReportKinds::HoursDetails || index == ReportKinds::HoursTotal) {
            OptSort[0]->setChecked(true);
            OptSort[0]->setEnabled(false);
            OptSort[1]->setEnabled(false);
        } else if (index == ReportKinds::Unauthorized) {
            fraEmp->setEnabled(false);
        }
    });
}

void frmEmpReport::ResetFilterControls()
{
    guarded(661, [this] {
        fraEmp->setEnabled(true);
        txtFromEmp->setText(QStringLiteral("1"));
        txtToEmp->setText(QStringLiteral("500"));
        OptSort[0]->setChecked(true);
        OptSort[0]->setEnabled(true);
        OptSort[1]->setEnabled(true);
    });
}

void frmEmpReport::OptSort_Click(int index)
{
    guarded(664, [index] { SortOrder = index == 0 ? QStringLiteral("") : QStringLiteral("DESC"); });
}

void frmEmpReport::cmdSelectAll_Click()
{
    guarded(655, [this] {
        if (AllEmployeesSelected) {
            txtFromEmp->setText(QString());
            txtToEmp->setText(QString());
            cmdSelectAll->setText(Translate(QStringLiteral("Select All Employees")));
            AllEmployeesSelected = false;
        } else {
            txtFromEmp->setText(QStringLiteral("1"));
            txtToEmp->setText(QStringLiteral("500"));
            cmdSelectAll->setText(Translate(QStringLiteral("Remove All Employees")));
            AllEmployeesSelected = true;
        }
    });
}

void frmEmpReport::CheckFromEmpLimit()
{
    checkEmpLimit(txtFromEmp);
}

void frmEmpReport::CheckToEmpLimit()
{
    checkEmpLimit(txtToEmp);
}

void frmEmpReport::checkEmpLimit(QLineEdit* field)
{
    // The box takes the focus from the field; that loss is not checked again.
    if (m_checkingLimit || field->text().isEmpty() || leadingNumber(field->text()) <= MaxEmployeeNumber)
        return;
    QScopedValueRollback<bool> checking(m_checkingLimit, true);
    ShowInputWarning(Translate(QStringLiteral("Employee number must be below 500")));
    SelectAndFocus(field);
}

bool frmEmpReport::eventFilter(QObject* watched, QEvent* event)
{
    const bool field = watched == txtFromEmp || watched == txtToEmp;
    if (!field || event->type() != QEvent::FocusOut || m_leaving)
        return Form::eventFilter(watched, event);
    // A box, a menu or another window taking the focus is no leave: the box of
    // the launch's own check would bring this one up beside it.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return Form::eventFilter(watched, event);
    // The field takes its leave first (it drops its selection there), so that
    // the check can select its text and give it the focus back.
    {
        const QScopedValueRollback<bool> leaving(m_leaving, true);
        QCoreApplication::sendEvent(watched, event);
    }
    if (watched == txtFromEmp)
        CheckFromEmpLimit();
    else
        CheckToEmpLimit();
    return true;
}
