#include "employees/frmProgramming.h"

#include "core/AppState.h"
#include "core/FieldHelpers.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/widgets/SelectAndFocus.h"
#include "employees/DoorSettings.h"
#include "employees/EmployeeFieldRules.h"
#include "employees/Holidays.h"
#include "employees/ListSizes.h"
#include "employees/frmHoliday.h"
#include "link/LinkState.h"
#include "platform/forms/FieldCommits.h"
#include "platform/forms/FirstShow.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TimeBox.h"
#include "platform/forms/Twips.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int DateRole = Qt::UserRole;
constexpr int IdRole = Qt::UserRole + 1;

// The date column sorts by the day of the year, not by its text.
class HolidayItem : public QTreeWidgetItem {
public:
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == 0)
            return data(0, DateRole).toDate() < other.data(0, DateRole).toDate();
        return text(column) < other.text(column);
    }
};

// An empty hours box shows "0" once the key that emptied it is released.
class ZeroWhenEmpty : public QObject {
public:
    explicit ZeroWhenEmpty(QComboBox* box) : QObject(box), m_box(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease && m_box->currentText().isEmpty())
            m_box->setCurrentIndex(0);
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox* m_box;
};

}

frmProgramming::frmProgramming()
{
    setWindowTitle(QStringLiteral("Programming"));
    SSTab1 = new QTabWidget(this);

    tabDoor = new QWidget;
    txtDoor = new QLineEdit(tabDoor);
    txtDoor->setMaxLength(20);
    txtCompany = new QLineEdit(tabDoor);
    txtCompany->setMaxLength(50);
    lblStatus = new QLabel(QStringLiteral("unknown"), tabDoor);
    ImageDoor = new PictureBox(tabDoor);
    ImageDoor->setToolTip(QStringLiteral("Door Status"));
    ImageDoor->setFixedSize(Twips::toPixels(640), Twips::toPixels(640));
    auto* status = new QHBoxLayout;
    status->addWidget(lblStatus);
    status->addWidget(ImageDoor);
    status->addStretch(1);
    auto* doorForm = new QFormLayout(tabDoor);
    doorForm->addRow(new QLabel(QStringLiteral("Door Name:"), tabDoor), txtDoor);
    doorForm->addRow(new QLabel(QStringLiteral("Company Name:"), tabDoor), txtCompany);
    doorForm->addRow(new QLabel(QStringLiteral("Door Status :"), tabDoor), status);
    SSTab1->addTab(tabDoor, QStringLiteral("Door"));

    tabWorkingDays = new QWidget;
    auto* days = new QGroupBox(tabWorkingDays);
    auto* grid = new QGridLayout(days);
    grid->addWidget(new QLabel(QStringLiteral("Day"), days), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Start Time"), days), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Working Hours"), days), 0, 2);
    const char* rows[Periods] = {"Monday To Thursday", "Friday", "Saturday", "Sunday"};
    for (int i = 0; i < Periods; ++i) {
        txtTime[i] = new TimeBox(days);
        cmbHours[i] = new QComboBox(days);
        cmbHours[i]->setEditable(true);
        cmbHours[i]->setInsertPolicy(QComboBox::NoInsert);
        for (int h = 0; h <= 24; ++h)
            cmbHours[i]->addItem(QString::number(h));
        cmbHours[i]->setCurrentIndex(-1);
        cmbHours[i]->lineEdit()->installEventFilter(new ZeroWhenEmpty(cmbHours[i]));
        grid->addWidget(new QLabel(QString::fromLatin1(rows[i]), days), i + 1, 0);
        grid->addWidget(txtTime[i], i + 1, 1);
        grid->addWidget(cmbHours[i], i + 1, 2);
    }
    cmdReset = new QPushButton(QStringLiteral("Reset"), tabWorkingDays);
    cmdReset->setToolTip(QStringLiteral("Delete all settings"));
    auto* daysLayout = new QVBoxLayout(tabWorkingDays);
    daysLayout->addWidget(days);
    daysLayout->addWidget(cmdReset, 0, Qt::AlignRight);
    SSTab1->addTab(tabWorkingDays, QStringLiteral("Working Days"));

    tabHolidays = new QWidget;
    lvwHolidays = new QTreeWidget(tabHolidays);
    lvwHolidays->setRootIsDecorated(false);
    lvwHolidays->setUniformRowHeights(true);
    lvwHolidays->setAllColumnsShowFocus(true);
    lvwHolidays->header()->setSectionsClickable(true);
    lvwHolidays->header()->setStretchLastSection(false);
    cmdNew = new QPushButton(QStringLiteral("Add"), tabHolidays);
    cmdNew->setToolTip(QStringLiteral("Add new holiday"));
    cmdDelete = new QPushButton(QStringLiteral("Delete"), tabHolidays);
    cmdDelete->setToolTip(QStringLiteral("Delete selected holiday"));
    auto* holidayButtons = new QHBoxLayout;
    holidayButtons->addStretch(1);
    holidayButtons->addWidget(cmdNew);
    holidayButtons->addWidget(cmdDelete);
    auto* holidaysLayout = new QVBoxLayout(tabHolidays);
    holidaysLayout->addWidget(lvwHolidays, 1);
    holidaysLayout->addLayout(holidayButtons);
    SSTab1->addTab(tabHolidays, QStringLiteral("Holidays"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    setCancelButton(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addWidget(cmdClose, 0, Qt::AlignRight);
    resize(Twips::toPixels(6600), Twips::toPixels(4800));

    DoorsTimer = new FormTimer(
        200, [this] { DoorsTimer_Timer(); }, this);
    m_commits = new FieldCommits(this, SSTab1);
    // A click leaves the focus in the box, which then commits once, before the button's action.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setFocusPolicy(Qt::TabFocus);
    for (int i = 0; i < Periods; ++i) {
        m_commits->watch(txtTime[i], [this, i] { return txtTime_LostFocus(i); });
        m_commits->watch(cmbHours[i], [this, i] { return cmbHours_LostFocus(i); });
    }
    connect(cmdReset, &QPushButton::clicked, this, [this] { cmdReset_Click(); });
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(lvwHolidays->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lvwHolidays_ColumnClick(column); });
}

frmProgramming::~frmProgramming() = default;

void frmProgramming::Form_Load()
{
    enterProcedure(457);
    try {
        FormTranslator(BinaryDict()).TranslateForm(this);
        DoorSettingsBoxes b = boxes();
        DoorSettings::load(Db(), b);
        showBoxes(b);
        m_loaded = true;
        ShowDoorStatus();
        InitHolidayColumns();
        // The list's page is not laid out before it is first shown.
        onFirstShow(lvwHolidays, [this] { SizeHolidayColumns(); });
        FillHolidayList();
    } catch (const AppError& error) {
        ReportError(457, error);
    }
    DoorsTimer->setEnabled(true);
}

DoorSettingsBoxes frmProgramming::boxes() const
{
    DoorSettingsBoxes b;
    b.door = txtDoor->text();
    b.company = txtCompany->text();
    for (int i = 0; i < Periods; ++i) {
        b.start[i] = txtTime[i]->maskText();
        b.hours[i] = cmbHours[i]->currentText();
    }
    return b;
}

void frmProgramming::showBoxes(const DoorSettingsBoxes& b)
{
    txtDoor->setText(b.door);
    txtCompany->setText(b.company);
    for (int i = 0; i < Periods; ++i) {
        txtTime[i]->setMaskText(b.start[i]);
        cmbHours[i]->setEditText(b.hours[i]);
    }
}

void frmProgramming::FocusWorkingDaysField(QWidget* field)
{
    SSTab1->setCurrentWidget(tabWorkingDays);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

bool frmProgramming::txtTime_LostFocus(int index)
{
    bool accepted = true;
    guarded(467, [&] {
        if (IsValidTime(txtTime[index]->maskText()))
            return;
        accepted = false;
        ShowWarning(invalidTimeMessage());
        txtTime[index]->setMaskText(TimeBox::EmptyMask);
        SelectAndFocus(txtTime[index]);
    });
    return accepted;
}

bool frmProgramming::cmbHours_LostFocus(int index)
{
    bool accepted = true;
    guarded(467, [&] {
        if (DoorSettings::hoursValue(cmbHours[index]->currentText()))
            return;
        accepted = false;
        ShowWarning(DoorSettings::invalidHoursMessage());
        SelectAndFocus(cmbHours[index]->lineEdit());
    });
    return accepted;
}

bool frmProgramming::boxesAccepted()
{
    const auto problem = DoorSettings::check(boxes());
    if (!problem)
        return true;
    ShowWarning(problem->message);
    QLineEdit* box = problem->box == DoorSettings::Problem::Box::StartTime ? txtTime[problem->period]
                                                                           : cmbHours[problem->period]->lineEdit();
    FocusWorkingDaysField(box);
    SelectAndFocus(box);
    return false;
}

bool frmProgramming::SaveDoorSettings()
{
    bool saved = false;
    guarded(453, [&] {
        if (!boxesAccepted())
            return;
        DoorSettingsBoxes b = boxes();
        DoorSettings::save(Db(), b);
        showBoxes(b);
        saved = true;
    });
    return saved;
}

void frmProgramming::cmdReset_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(455, [this] {
        if (!AskYes(Translate(QStringLiteral("You are going to delete working hours settings.")) + QLatin1Char('\r') +
                    Translate(QStringLiteral("Are you sure?"))))
            return;
        for (int i = 1; i < Periods; ++i) {
            txtTime[i]->setMaskText(TimeBox::EmptyMask);
            cmbHours[i]->setEditText(QStringLiteral("0"));
        }
    });
}

void frmProgramming::ShowDoorStatus()
{
    guarded(458, [this] {
        LinkState& link = linkState();
        ImageDoor->setVisible(true);
        const char* word = "Unknown";
        const char* picture = ":/pictures/door-unknown.svg";
        switch (link.DoorMode) {
        case DoorModeSecure:
            word = "Secure";
            picture = ":/pictures/door-secure.svg";
            break;
        case DoorModeNormal:
            word = "Normal";
            picture = ":/pictures/door-normal.svg";
            break;
        case DoorModeBypass:
            word = "Bypass";
            picture = ":/pictures/door-bypass.svg";
            break;
        default: break;
        }
        lblStatus->setText(Translate(QString::fromLatin1(word)));
        ImageDoor->loadPicture(QString::fromLatin1(picture));
        m_shownMode = link.DoorMode;
        link.DoorStatusChanged = false;
    });
}

void frmProgramming::DoorsTimer_Timer()
{
    guarded(456, [this] {
        const LinkState& link = linkState();
        // The monitor may have taken the flag first: a mode other than the one shown is news too.
        if (link.DoorStatusChanged || link.DoorMode != m_shownMode)
            ShowDoorStatus();
    });
}

void frmProgramming::InitHolidayColumns()
{
    guarded(463, [this] {
        lvwHolidays->setColumnCount(2);
        lvwHolidays->setHeaderLabels({Translate(QStringLiteral("Date")), Translate(QStringLiteral("Description"))});
    });
}

void frmProgramming::SizeHolidayColumns()
{
    guarded(464, [this] {
        const QList<int> widths = ListSizes::columnWidths(Twips::fromPixels(lvwHolidays->width()), {40, 60});
        for (int c = 0; c < widths.size(); ++c)
            lvwHolidays->setColumnWidth(c, Twips::toPixels(widths.at(c)));
    });
}

void frmProgramming::FillHolidayList()
{
    guarded(465, [this] {
        lvwHolidays->clear();
        const QList<Holiday> holidays = Holidays::list(Db());
        for (const Holiday& h : holidays) {
            auto* item = new HolidayItem;
            item->setText(0, Holidays::dayMonthText(h.date));
            item->setData(0, DateRole, h.date);
            item->setData(0, IdRole, h.id);
            item->setText(1, h.description);
            lvwHolidays->addTopLevelItem(item);
        }
        if (QTreeWidgetItem* first = lvwHolidays->topLevelItem(0))
            lvwHolidays->setCurrentItem(first);
    });
}

void frmProgramming::lvwHolidays_ColumnClick(int column)
{
    guarded(460, [this, column] {
        m_holidayOrder = m_holidayOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        lvwHolidays->sortItems(column, m_holidayOrder);
        lvwHolidays->header()->setSortIndicatorShown(true);
        lvwHolidays->header()->setSortIndicator(column, m_holidayOrder);
    });
}

void frmProgramming::cmdNew_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(466, [this] {
        FormInstance<frmHoliday>::get().showModal(this);
        FillHolidayList();
    });
}

void frmProgramming::cmdDelete_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(454, [this] {
        if (lvwHolidays->topLevelItemCount() == 0)
            return;
        const QTreeWidgetItem* item = lvwHolidays->currentItem();
        if (!item)
            raiseError(Err::NoCurrentRecord);
        if (!AskYes(Translate(QStringLiteral("Are you sure you want to delete the Date?")) + QStringLiteral("\r\n") +
                    item->text(0)))
            return;
        Holidays::remove(Db(), item->data(0, IdRole).toLongLong());
        FillHolidayList();
    });
}

void frmProgramming::cmdClose_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(451, [this] { unloadForm(); });
}

bool frmProgramming::Form_QueryUnload(int)
{
    // A box that cannot be stored keeps the window open with the settings typed.
    return !m_loaded || boxesAccepted();
}

void frmProgramming::Form_Unload()
{
    DoorsTimer->setEnabled(false);
    // After a failed load the boxes do not hold the row: storing them would lose it.
    if (m_loaded)
        SaveDoorSettings();
    guarded(459, [] { RefreshMainToolbar(); });
}
