#include "employees/frmEmployees.h"

#include "core/AppState.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/PrintBesideTheWindow.h"
#include "core/PrintGuard.h"
#include "core/WaitSeconds.h"
#include "employees/EmployeeHandOver.h"
#include "employees/EmployeeListPrint.h"
#include "employees/EmployeeRegister.h"
#include "employees/ListSizes.h"
#include "employees/frmDetails.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FrameAnimation.h"
#include "platform/forms/ToolbarButtons.h"
#include "platform/forms/Twips.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace {

enum Column { AccessColumn, LastNameColumn, FirstNameColumn, NumberColumn, SlotColumn };
const QList<int> columnShares = {23, 23, 23, 18, 12};
const double listLeft = 240;
const double listTop = 960;

// Numbers sort as numbers, not as text ("9" before "10").
class EmployeeItem : public QTreeWidgetItem {
public:
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == NumberColumn || column == SlotColumn) {
            bool a = false;
            bool b = false;
            const double mine = text(column).toDouble(&a);
            const double theirs = other.text(column).toDouble(&b);
            if (a && b)
                return mine < theirs;
        }
        return text(column) < other.text(column);
    }
};

QStringList deletionFrames()
{
    return {QStringLiteral(":/employees/shred1.svg"), QStringLiteral(":/employees/shred2.svg"),
            QStringLiteral(":/employees/shred3.svg"), QStringLiteral(":/employees/shred4.svg")};
}

void placeTwips(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

}

frmEmployees::frmEmployees()
{
    setWindowTitle(QStringLiteral("Employee's List"));
    Toolbar1 = makeToolbar(this, ToolbarButton,
                           {{"New", "Add new employee", ":/employees/new.svg", "Ctrl+N"},
                            {"Delete", "Delete current employee", ":/employees/delete.svg", "Del"},
                            {"Edit", "Edit current employee", ":/employees/edit.svg", "Enter"},
                            {"Print", "Print employee's list", ":/pictures/print.svg", "Ctrl+P"},
                            {"Help", "Show Help", ":/pictures/help.svg", "F1"},
                            {"   Close   ", "Close form", ":/pictures/close.svg", "Esc"}},
                           [this](int b) { Toolbar1_ButtonClick(b); });

    lvwEmployees = new QTreeWidget(this);
    lvwEmployees->setRootIsDecorated(false);
    lvwEmployees->setUniformRowHeights(true);
    lvwEmployees->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwEmployees->setAllColumnsShowFocus(true);
    lvwEmployees->header()->setSectionsClickable(true);
    lvwEmployees->header()->setStretchLastSection(false);
    lvwEmployees->header()->setMinimumSectionSize(1);
    connect(lvwEmployees->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { lvwEmployees_ColumnClick(column); });
    connect(lvwEmployees, &QTreeWidget::itemDoubleClicked, this, [this] { lvwEmployees_DblClick(); });

    FrameDel = new QGroupBox(QStringLiteral("Delete Employee"), this);
    FrameDel->setVisible(false);
    // The frame stands over the list: its caption on the list's rows would be unreadable.
    FrameDel->setAutoFillBackground(true);
    anmAVI = new FrameAnimation(FrameDel);
    anmAVI->setVisible(false);
    placeTwips(FrameDel, 1320, 1920, 4860, 1995);
    placeTwips(anmAVI, 240, 360, 2055, 1395);
    resize(Twips::toPixels(9600), Twips::toPixels(6600));
}

void frmEmployees::Form_Load()
{
    guarded(502, [this] {
        SetListColumns();
        FitListToForm();
        SizeListColumns();
        FillEmployeeList();
        FormTranslator(BinaryDict()).TranslateForm(this);
    });
}

void frmEmployees::SetListColumns()
{
    guarded(516, [this] {
        lvwEmployees->setColumnCount(5);
        lvwEmployees->setHeaderLabels({Translate(QStringLiteral("Access")), Translate(QStringLiteral("Last Name")),
                                       Translate(QStringLiteral("First Name")), Translate(QStringLiteral("Employee#")),
                                       Translate(QStringLiteral("Slot#"))});
    });
}

void frmEmployees::SizeListColumns()
{
    guarded(517, [this] {
        const QList<int> widths = ListSizes::columnWidths(Twips::fromPixels(lvwEmployees->width()), columnShares);
        for (int c = 0; c < widths.size(); ++c)
            lvwEmployees->setColumnWidth(c, Twips::toPixels(widths.at(c)));
    });
}

void frmEmployees::FitListToForm()
{
    const double toolbarHeight = std::max(Twips::fromPixels(Toolbar1->sizeHint().height()), 900.0);
    Toolbar1->setGeometry(0, 0, width(), Twips::toPixels(toolbarHeight));
    const ListSizes::Size list =
        ListSizes::fittedList(Twips::fromPixels(width()), Twips::fromPixels(height()), listLeft, listTop);
    placeTwips(lvwEmployees, listLeft, listTop, list.width, list.height);
}

void frmEmployees::resizeEvent(QResizeEvent* event)
{
    Form::resizeEvent(event);
    FitListToForm();
    SizeListColumns();
}

void frmEmployees::ResizeFormControls(const QWidget& main)
{
    guarded(512, [&] { move(main.x() + main.width() / 2 - width() / 2, main.y() + Twips::toPixels(1300)); });
}

void frmEmployees::FillEmployeeList()
{
    guarded(518, [this] {
        const QList<EmployeeListRow> rows = EmployeeRegister::readList(Db());
        lvwEmployees->clear();
        const QIcon card(QStringLiteral(":/employees/card.svg"));
        const QIcon pin(QStringLiteral(":/employees/pin.svg"));
        QList<QTreeWidgetItem*> items;
        items.reserve(rows.size());
        for (const EmployeeListRow& row : rows) {
            auto* item = new EmployeeItem;
            item->setText(AccessColumn, row.access);
            if (row.image == EmployeeRegister::ImageCard)
                item->setIcon(AccessColumn, card);
            else if (row.image == EmployeeRegister::ImagePin)
                item->setIcon(AccessColumn, pin);
            item->setData(AccessColumn, Qt::UserRole, row.number);
            item->setText(LastNameColumn, row.lastName);
            item->setText(FirstNameColumn, row.firstName);
            item->setText(NumberColumn, row.number);
            item->setText(SlotColumn, row.slot);
            items << item;
        }
        lvwEmployees->addTopLevelItems(items);
        // The sort the user chose outlives a refill.
        if (m_sortColumn >= 0)
            lvwEmployees->sortItems(m_sortColumn, m_order);
        if (QTreeWidgetItem* first = lvwEmployees->topLevelItem(0)) {
            lvwEmployees->scrollToItem(first);
            lvwEmployees->setCurrentItem(first);
        }
    });
}

void frmEmployees::lvwEmployees_ColumnClick(int column)
{
    guarded(519, [this, column] {
        m_order = m_order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
        m_sortColumn = column;
        lvwEmployees->sortItems(column, m_order);
        lvwEmployees->header()->setSortIndicatorShown(true);
        lvwEmployees->header()->setSortIndicator(column, m_order);
    });
}

void frmEmployees::SetSortingOff()
{
    m_sortColumn = -1;
    lvwEmployees->header()->setSortIndicatorShown(false);
}

void frmEmployees::Toolbar1_ButtonClick(int button)
{
    switch (button) {
    case 1: cmdNew_Click(); break;
    case 2: DeleteEmployee(); break;
    case 3: EditEmployee(); break;
    case 4: cmdPrint_Click(); break;
    case 5: ShowHelp(); break;
    case 6: CloseListForm(); break;
    default: break;
    }
}

void frmEmployees::cmdNew_Click()
{
    guarded(514, [this] {
        employeeHandOver().NewEmployee = true;
        FormInstance<frmDetails>::get().showModal(this);
        FillEmployeeList();
    });
}

void frmEmployees::ShowExistEmployee()
{
    guarded(515, [this] {
        QTreeWidgetItem* row = lvwEmployees->currentItem();
        if (!row)
            raiseError(Err::NoCurrentRecord);
        EmployeeHandOver& handOver = employeeHandOver();
        handOver.NewEmployee = false;
        handOver.CurEmpNo = VbText::toInt16(row->text(NumberColumn));
        FormInstance<frmDetails>::get().showModal(this);
    });
}

void frmEmployees::EditEmployee()
{
    guarded(509, [this] {
        if (lvwEmployees->topLevelItemCount() == 0 || !lvwEmployees->currentItem())
            return;
        ShowExistEmployee();
        FillEmployeeList();
    });
}

void frmEmployees::lvwEmployees_DblClick()
{
    guarded(511, [this] {
        if (lvwEmployees->topLevelItemCount() == 0)
            return;
        ShowExistEmployee();
        FillEmployeeList();
    });
}

void frmEmployees::DeleteEmployee()
{
    // The pause after the deletion lets the window be closed; that waits for its end.
    const Hold hold(*this);
    enterProcedure(508);
    try {
        QTreeWidgetItem* row = lvwEmployees->currentItem();
        if (lvwEmployees->topLevelItemCount() == 0 || !row)
            return;
        const int16_t number = VbText::toInt16(row->text(NumberColumn));
        if (!AskYes(Translate(QStringLiteral("Are you sure you want to delete this Employee?"))))
            return;
        anmAVI->setVisible(true);
        FrameDel->setVisible(true);
        FrameDel->raise();
        FrameDel->setTitle(Translate(QStringLiteral(" Deleting - ")) + row->text(LastNameColumn) + QLatin1Char(' ') +
                           row->text(FirstNameColumn));
        setEnabled(false);
        // A clip that cannot be played leaves the frame empty; the deletion goes on.
        anmAVI->open(deletionFrames());
        anmAVI->play();
        if (EmployeeRegister::remove(Db(), number)) {
            WaitSeconds(2);
            endDeletion();
            SetSortingOff();
            FillEmployeeList();
        } else {
            endDeletion();
        }
    } catch (const AppError& error) {
        ReportError(508, error);
        endDeletion();
    }
}

void frmEmployees::endDeletion()
{
    anmAVI->stop();
    anmAVI->setVisible(false);
    FrameDel->setVisible(false);
    // The frame stands over the list: its caption on the list's rows would be unreadable.
    FrameDel->setAutoFillBackground(true);
    setEnabled(true);
}

void frmEmployees::cmdPrint_Click()
{
    if (lvwEmployees->topLevelItemCount() == 0)
        return;
    guardedPrinting(505, [this] {
        const ChosenPrinter printer = ShowPrinter(PrinterDialogFlags);
        QList<EmployeeListLine> lines;
        for (int i = 0; i < lvwEmployees->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = lvwEmployees->topLevelItem(i);
            lines << EmployeeListLine{item->text(NumberColumn), item->text(LastNameColumn), item->text(FirstNameColumn),
                                      item->text(SlotColumn), item->text(AccessColumn)};
        }
        PrintBesideTheWindow(printer, [&lines](Printer& on) { PrintEmployeeList(on, lines); });
    });
}

void frmEmployees::ShowHelp()
{
    guarded(501, [this] { HelpKey::press(this); });
}

void frmEmployees::CloseListForm()
{
    guarded(504, [this] { unloadForm(); });
}

void frmEmployees::Form_Unload()
{
    RefreshMainToolbar();
}
