#include "employees/frmDetails.h"

#include "core/AppState.h"
#include "core/FieldHelpers.h"
#include "core/LoginRules.h"
#include "core/Messages.h"
#include "core/PrintBesideTheWindow.h"
#include "core/PrintGuard.h"
#include "core/widgets/SelectAndFocus.h"
#include "employees/EmployeeEditSession.h"
#include "employees/EmployeeFieldRules.h"
#include "employees/EmployeeFields.h"
#include "employees/EmployeeHandOver.h"
#include "employees/EmployeeRegister.h"
#include "employees/EmployeeSheetPrint.h"
#include "employees/frmEmployees.h"
#include "employees/frmPicture.h"
#include "link/LinkState.h"
#include "link/frmCodes.h"
#include "platform/forms/DateField.h"
#include "platform/forms/FieldCommits.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/NullableDateEdit.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TimeBox.h"
#include "platform/forms/ToolbarButtons.h"
#include "platform/forms/Twips.h"
#include "platform/text/DateTimeText.h"
#include "platform/text/VbText.h"
#include "platform/text/Windows1252Validator.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char* const accessIcons[5] = {nullptr, ":/employees/slot.svg", ":/employees/noslot.svg", ":/employees/card.svg",
                                    ":/employees/pin.svg"};

QString icon(int number)
{
    return QString::fromLatin1(accessIcons[number]);
}

QString dateText(const NullableDateEdit* picker)
{
    const auto date = picker->value();
    return date ? DateTimeText::shortDate(*date) : QString();
}

AppError pictureError(const QString& path)
{
    if (!QFileInfo::exists(path))
        return AppError(Err::FileNotFound, standardErrorText(Err::FileNotFound) + QStringLiteral(": ") + path);
    return AppError(Err::InvalidCall, Translate(QStringLiteral("Invalid picture")) + QStringLiteral(": ") + path);
}

std::optional<QDate> storedDate(const FieldValue& value)
{
    if (value.isNull())
        return std::nullopt;
    try {
        return value.toDate();
    } catch (const AppError&) {
        return std::nullopt;
    }
}

}

frmDetails::frmDetails()
{
    setWindowTitle(QStringLiteral("Employee Details"));
    buildControls();
    m_commits = new FieldCommits(this, Picture1);
    watchFields();
    // A click leaves the focus in the field, which then commits once, before the button's action.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setFocusPolicy(Qt::TabFocus);
}

frmDetails::~frmDetails() = default;

void frmDetails::buildControls()
{
    Picture1 = new QWidget(this);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    Toolbar1 = makeToolbar(Picture1, ToolbarButton,
                           {{"Save", "Save changes", ":/employees/save.svg", "Ctrl+S"},
                            {"Save All", "Save changes of all employees", ":/employees/saveall.svg", "Ctrl+Shift+S"},
                            {"Undo", "Undo last action", ":/employees/undo.svg"},
                            {"Print", "Print employee's details", ":/pictures/print.svg", "Ctrl+P"},
                            {"Help", "Show Help", ":/pictures/help.svg", "F1"},
                            {"   Close   ", "Close form", ":/pictures/close.svg", "Esc"}},
                           [this](int b) { Toolbar1_ButtonClick(b); });
    auto* toolbarLayout = new QVBoxLayout(Picture1);
    toolbarLayout->setContentsMargins(0, 0, 0, 0);
    toolbarLayout->addWidget(Toolbar1);

    txtUserNum = new QLineEdit(this);
    txtFirstName = new QLineEdit(this);
    txtLastName = new QLineEdit(this);
    // The names go into the report files as they are typed.
    for (QLineEdit* name : {txtFirstName, txtLastName}) {
        name->setValidator(new Windows1252Validator(name));
        connect(name, &QLineEdit::inputRejected, this, [] { ShowInputWarning(invalidNameMessage()); });
    }
    txtID = new QLineEdit(this);
    cmbGender = new QComboBox(this);
    cmbStatus = new QComboBox(this);
    txtBirthDate = new NullableDateEdit(this);
    txtAddress = new QPlainTextEdit(this);
    txtAddress->setTabChangesFocus(true);
    txtAddress->setFixedHeight(Twips::toPixels(900));
    txtPhoneNum = new QLineEdit(this);
    txtSelPhone = new QLineEdit(this);
    txtEmail = new QLineEdit(this);
    txtPosition = new QLineEdit(this);
    txtPositionDate = new NullableDateEdit(this);
    txtEmployDate = new NullableDateEdit(this);
    txtTime = new TimeBox(this);
    cmbHours = new QComboBox(this);
    for (int h = 0; h <= 24; ++h)
        cmbHours->addItem(QString::number(h));
    cmbHours->setCurrentIndex(-1);

    txtSlotNumber = new QLineEdit(this);
    txtSlotNumber->setReadOnly(true);
    txtSlotNumber->setFocusPolicy(Qt::NoFocus);
    ChkCard = new QCheckBox(this);
    ChkCard->setTristate(true);
    ChkCard->setAttribute(Qt::WA_TransparentForMouseEvents);
    ChkCard->setFocusPolicy(Qt::NoFocus);
    Image1 = new PictureBox(this);
    imgAccess = new PictureBox(this);
    for (PictureBox* p : {Image1, imgAccess})
        p->setFixedSize(Twips::toPixels(480), Twips::toPixels(480));
    cmdCard = new QPushButton(QStringLiteral("Add Code"), this);
    cmdCard->setToolTip(QStringLiteral("Read Employee Code"));
    cmdDelCode = new QPushButton(QStringLiteral("Delete &Code"), this);
    cmdDelCode->setToolTip(QStringLiteral("Delete Employee Code"));
    cmdDelCode->setEnabled(false);

    EmpImage = new PictureBox(this);
    EmpImage->setFixedSize(Twips::toPixels(1800), Twips::toPixels(2400));
    PictureID = new QLabel(this);
    PictureID->setWordWrap(true);
    PictureID->setMaximumWidth(Twips::toPixels(2400));
    // Room for a path of two lines from the start, under the picture, whatever path comes.
    PictureID->setFixedHeight(PictureID->fontMetrics().lineSpacing() * 2 + 2);
    PictureID->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdAddPicture = new QPushButton(QStringLiteral("&Add "), this);
    cmdAddPicture->setToolTip(QStringLiteral("Add Employee Picture "));
    cmdDelPicture = new QPushButton(QStringLiteral("&Delete"), this);
    cmdDelPicture->setToolTip(QStringLiteral("Delete Employee Picture"));
    cmdDelPicture->setEnabled(false);

    const char* moveTips[4] = {"First Employee", "Previous Employee", "Next Employee", "Last Employee"};
    const char* moveCaptions[4] = {"|<", "<", ">", ">|"};
    auto* moves = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        cmdMove[i] = new QPushButton(QString::fromLatin1(moveCaptions[i]), this);
        cmdMove[i]->setToolTip(QString::fromLatin1(moveTips[i]));
        connect(cmdMove[i], &QPushButton::clicked, this, [this, i] { cmdMove_Click(i); });
        moves->addWidget(cmdMove[i]);
    }

    auto* names = new QFormLayout;
    names->addRow(new QLabel(QStringLiteral("Employee No."), this), txtUserNum);
    names->addRow(new QLabel(QStringLiteral("First Name"), this), txtFirstName);
    names->addRow(new QLabel(QStringLiteral("Last Name"), this), txtLastName);
    names->addRow(moves);

    auto* picture = new QVBoxLayout;
    picture->addWidget(EmpImage, 0, Qt::AlignHCenter);
    picture->addWidget(PictureID);
    auto* pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(cmdAddPicture);
    pictureButtons->addWidget(cmdDelPicture);
    picture->addLayout(pictureButtons);

    SSTab1 = new QTabWidget(this);
    auto* personal = new QWidget;
    auto* personalForm = new QFormLayout(personal);
    personalForm->addRow(new QLabel(QStringLiteral("Id Number"), personal), txtID);
    personalForm->addRow(new QLabel(QStringLiteral("Gender"), personal), cmbGender);
    personalForm->addRow(new QLabel(QStringLiteral("Family Status"), personal), cmbStatus);
    personalForm->addRow(new QLabel(QStringLiteral("Birth Date"), personal), txtBirthDate);
    personalForm->addRow(new QLabel(QStringLiteral("Address:"), personal), txtAddress);
    personalForm->addRow(new QLabel(QStringLiteral("Phone#1:"), personal), txtPhoneNum);
    personalForm->addRow(new QLabel(QStringLiteral("Phone#2:"), personal), txtSelPhone);
    personalForm->addRow(new QLabel(QStringLiteral("Email:"), personal), txtEmail);
    SSTab1->addTab(personal, QStringLiteral("Personal Details"));

    auto* factory = new QWidget;
    auto* factoryForm = new QFormLayout(factory);
    factoryForm->addRow(new QLabel(QStringLiteral("Position"), factory), txtPosition);
    factoryForm->addRow(new QLabel(QStringLiteral("Position Date"), factory), txtPositionDate);
    factoryForm->addRow(new QLabel(QStringLiteral("Employment Date"), factory), txtEmployDate);
    factoryForm->addRow(new QLabel(QStringLiteral("Start Time"), factory), txtTime);
    factoryForm->addRow(new QLabel(QStringLiteral("Working Hours"), factory), cmbHours);
    auto* code = new QGroupBox(QStringLiteral("Access Code"), factory);
    auto* codeLayout = new QGridLayout(code);
    codeLayout->addWidget(ChkCard, 0, 0);
    codeLayout->addWidget(Image1, 0, 1);
    codeLayout->addWidget(imgAccess, 0, 2);
    codeLayout->addWidget(new QLabel(QStringLiteral("Slot#"), code), 0, 3);
    codeLayout->addWidget(txtSlotNumber, 0, 4);
    codeLayout->addWidget(cmdCard, 1, 0, 1, 3);
    codeLayout->addWidget(cmdDelCode, 1, 3, 1, 2);
    factoryForm->addRow(code);
    SSTab1->addTab(factory, QStringLiteral("Factory Details"));

    auto* top = new QHBoxLayout;
    top->addLayout(names, 1);
    top->addLayout(picture);
    auto* layout = new QVBoxLayout(this);
    // The window never gets smaller than its fields need, so that none runs into another.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addWidget(Picture1);
    layout->addLayout(top);
    layout->addWidget(SSTab1, 1);

    connect(cmdCard, &QPushButton::clicked, this, [this] { cmdCard_Click(); });
    connect(cmdDelCode, &QPushButton::clicked, this, [this] { cmdDelCode_Click(); });
    connect(cmdAddPicture, &QPushButton::clicked, this, [this] { cmdAddPicture_Click(); });
    connect(cmdDelPicture, &QPushButton::clicked, this, [this] { cmdDelPicture_Click(); });
}

void frmDetails::watchField(QWidget* field, int position, int16_t procId, std::function<QVariant()> value)
{
    m_commits->watch(field, [this, position, procId, value = std::move(value)] {
        guarded(procId, [&] { write(position, value()); });
        return true;
    });
}

void frmDetails::watchFields()
{
    m_commits->watch(txtUserNum, [this] { return txtUserNum_LostFocus(); });
    m_commits->watch(txtTime, [this] { return txtTime_LostFocus(); });
    m_commits->watch(txtFirstName, [this] { return commitName(txtFirstName, EmpField::First_Name, 355); });
    m_commits->watch(txtLastName, [this] { return commitName(txtLastName, EmpField::Last_Name, 356); });
    watchField(txtID, EmpField::Id_Number, 357, [this] { return txtID->text(); });
    watchField(cmbGender, EmpField::Gender, 358, [this] { return choiceFromListIndex(cmbGender->currentIndex()); });
    watchField(cmbStatus, EmpField::Status, 359, [this] { return choiceFromListIndex(cmbStatus->currentIndex()); });
    watchField(cmbHours, EmpField::WorkingHours, 360, [this] { return hoursFromListIndex(cmbHours->currentIndex()); });
    m_commits->watch(txtBirthDate,
                     [this] { return commitDate(txtBirthDate, EmpField::Birth_Date, 361, "Birth Date"); });
    watchField(txtAddress, EmpField::Address, 362, [this] { return txtAddress->toPlainText(); });
    watchField(txtPhoneNum, EmpField::Phone_Number, 363, [this] { return txtPhoneNum->text(); });
    watchField(txtSelPhone, EmpField::SelPhone_Number, 364, [this] { return txtSelPhone->text(); });
    watchField(txtEmail, EmpField::EmailAddr, 365, [this] { return txtEmail->text(); });
    watchField(txtPosition, EmpField::Position, 366, [this] { return txtPosition->text(); });
    m_commits->watch(txtPositionDate,
                     [this] { return commitDate(txtPositionDate, EmpField::Position_Date, 367, "Position Date"); });
    m_commits->watch(txtEmployDate,
                     [this] { return commitDate(txtEmployDate, EmpField::Employment_Date, 368, "Employment Date"); });
}

bool frmDetails::Dirty() const
{
    return m_session && m_session->dirty();
}

void frmDetails::write(int position, const QVariant& value)
{
    if (m_session && m_session->isEditing())
        m_session->write(position, value);
}

void frmDetails::Form_Load()
{
    EmployeeHandOver& handOver = employeeHandOver();
    enterProcedure(353);
    try {
        FormTranslator(BinaryDict()).TranslateForm(this);
        m_session = std::make_unique<EmployeeEditSession>(Db());
        m_session->open();
        FillCombos();
        if (handOver.NewEmployee)
            InitNewEmployee();
        else
            ShowEmployeeDetails();
        // The keyboard starts at the number a new employee needs first.
        if (handOver.NewEmployee)
            txtUserNum->setFocus();
        handOver.CurPictureFile.clear();
        if (IsGuardOnlyRun())
            return;
        cmdCard->setEnabled(appState().CommOpened);
        m_session->forgetChanges();
    } catch (const AppError& error) {
        if (error.number() != Err::FileNotFound)
            ReportError(353, error);
    }
}

void frmDetails::FillCombos()
{
    cmbGender->clear();
    cmbGender->addItems({Translate(QStringLiteral("Male")), Translate(QStringLiteral("Female"))});
    cmbGender->setCurrentIndex(-1);
    cmbStatus->clear();
    cmbStatus->addItems({Translate(QStringLiteral("Singel")), Translate(QStringLiteral("Married")),
                         Translate(QStringLiteral("Divorced")), Translate(QStringLiteral("Widower"))});
    cmbStatus->setCurrentIndex(-1);
}

void frmDetails::InitNewEmployee()
{
    enterProcedure(377);
    for (QPushButton* b : cmdMove)
        b->setVisible(false);
    cmdDelPicture->setEnabled(false);
    for (int b : {3, 2, 4})
        ToolbarButton[b]->setEnabled(false);
    txtUserNum->setEnabled(true);
    // An empty name shows nothing; a picture that cannot be loaded is reported,
    // and the new employee can be entered all the same.
    const QString fallback = appState().DefaultPictureFile;
    const bool shown = EmpImage->loadPicture(fallback);
    m_session->beginNew();
    if (!shown && !fallback.isEmpty())
        ReportError(377, pictureError(fallback));
}

void frmDetails::showPicture(const QString& path)
{
    EmployeeHandOver& handOver = employeeHandOver();
    handOver.CurPictureFile = path;
    const QString own = VbText::trim(path);
    // A picture that cannot be loaded, wherever it lay, shows the default one.
    if (!own.isEmpty() && EmpImage->loadPicture(own)) {
        cmdDelPicture->setEnabled(true);
        PictureID->setText(path);
        return;
    }
    EmpImage->loadPicture(appState().DefaultPictureFile);
    cmdDelPicture->setEnabled(false);
    PictureID->clear();
}

void frmDetails::showSlot(int16_t slot)
{
    txtSlotNumber->setText(slot != 0 ? QString::number(slot) : QString());
    imgAccess->loadPicture(icon(slot != 0 ? 1 : 2));
}

void frmDetails::showCodeHeld(bool held)
{
    ChkCard->setCheckState(held ? Qt::PartiallyChecked : Qt::Unchecked);
    cmdDelCode->setEnabled(held);
}

void frmDetails::showCodeKind(int kind)
{
    if (kind == PinProx::Pin)
        Image1->loadPicture(icon(4));
    else if (kind == PinProx::Card)
        Image1->loadPicture(icon(3));
    else
        Image1->setPicture(QPixmap());
}

void frmDetails::ShowEmployeeDetails()
{
    guarded(378, [this] {
        txtUserNum->setEnabled(false);
        const int16_t number = employeeHandOver().CurEmpNo;
        if (!m_session->show(number))
            raiseError(Err::NoCurrentRecord, Translate(QStringLiteral("Current Employee Not Found")) +
                                                 QStringLiteral(" (") + QString::number(number) + QLatin1Char(')'));
        const EmployeeEditSession& s = *m_session;
        auto text = [&s](int position) { return s.value(position).textOrEmpty(); };
        txtUserNum->setText(text(EmpField::Employee_Number));
        {
            // A name stored before the names were checked is shown as it is, unrefused.
            const QSignalBlocker quietFirst(txtFirstName);
            const QSignalBlocker quietLast(txtLastName);
            txtFirstName->setText(text(EmpField::First_Name));
            txtLastName->setText(text(EmpField::Last_Name));
        }
        txtID->setText(text(EmpField::Id_Number));
        if (const auto row = listIndexForChoice(s.value(EmpField::Gender), cmbGender->count()))
            cmbGender->setCurrentIndex(*row);
        if (const auto row = listIndexForChoice(s.value(EmpField::Status), cmbStatus->count()))
            cmbStatus->setCurrentIndex(*row);
        txtBirthDate->setValue(storedDate(s.value(EmpField::Birth_Date)));
        txtEmployDate->setValue(storedDate(s.value(EmpField::Employment_Date)));
        txtPositionDate->setValue(storedDate(s.value(EmpField::Position_Date)));
        txtAddress->setPlainText(text(EmpField::Address));
        txtPhoneNum->setText(text(EmpField::Phone_Number));
        txtSelPhone->setText(text(EmpField::SelPhone_Number));
        txtEmail->setText(text(EmpField::EmailAddr));
        txtPosition->setText(text(EmpField::Position));
        showPicture(text(EmpField::PictureFile));
        // A slot stored unsigned (65535, no slot) reads back as the signed -1.
        showSlot(static_cast<int16_t>(s.value(EmpField::SlotNumber).variant().toLongLong()));
        showCodeHeld(!text(EmpField::Employee_Code).isEmpty());
        txtTime->setMaskText(startTimeForDisplay(s.value(EmpField::StartTime)));
        if (const auto row = listIndexForHours(s.value(EmpField::WorkingHours), cmbHours->count()))
            cmbHours->setCurrentIndex(*row);
        showCodeKind(s.value(EmpField::PinProx).variant().toInt());
    });
}

bool frmDetails::txtUserNum_LostFocus()
{
    bool accepted = true;
    guarded(354, [&] {
        EmployeeNumberVerdict verdict = checkEmployeeNumber(txtUserNum->text());
        if (verdict.empty)
            return;
        if (verdict.number && employeeHandOver().NewEmployee && EmployeeRegister::numberTaken(Db(), *verdict.number))
            verdict = {false, std::nullopt, numberTakenMessage()};
        if (!verdict.number) {
            accepted = false;
            ShowInputWarning(verdict.refusal);
            SelectAndFocus(txtUserNum);
            return;
        }
        write(EmpField::Employee_Number, *verdict.number);
    });
    return accepted;
}

bool frmDetails::commitName(QLineEdit* box, int position, int16_t procId)
{
    bool accepted = true;
    guarded(procId, [&] {
        // A name stored before the names were checked is refused when it is left.
        if (!nameFitsReportFiles(box->text())) {
            accepted = false;
            ShowInputWarning(invalidNameMessage());
            SelectAndFocus(box);
            return;
        }
        box->setText(capitalizeName(box->text()));
        write(position, box->text());
    });
    return accepted;
}

bool frmDetails::commitDate(NullableDateEdit* field, int position, int16_t procId, const char* caption)
{
    bool accepted = true;
    guarded(procId, [&] {
        const TypedDate typed = field->typed();
        QString refusal;
        if (typed.isInvalid())
            refusal = invalidDateMessage(QString::fromLatin1(caption));
        else if (typed.isDate() && !yearFitsRegister(typed.date))
            refusal = invalidYearMessage(QString::fromLatin1(caption));
        if (!refusal.isEmpty()) {
            accepted = false;
            ShowInputWarning(refusal);
            SelectAndFocus(field->dateEdit());
            return;
        }
        write(position, field->storedValue());
    });
    return accepted;
}

bool frmDetails::txtTime_LostFocus()
{
    bool accepted = true;
    guarded(369, [&] {
        const QString typed = txtTime->maskText();
        if (!IsValidTime(typed)) {
            accepted = false;
            ShowInputWarning(invalidTimeMessage());
            txtTime->setMaskText(TimeBox::EmptyMask);
            SelectAndFocus(txtTime);
            return;
        }
        write(EmpField::StartTime, typed);
    });
    return accepted;
}

void frmDetails::Toolbar1_ButtonClick(int button)
{
    // The field being edited writes its value first; a refused value stops the action.
    if (!m_commits->commitFocused())
        return;
    switch (button) {
    case 1: SaveEmployee(); break;
    case 2: SaveAllEmployees(); break;
    case 3: UndoEmployeeChanges(); break;
    case 4: PrintEmployeeDetails(); break;
    case 5: ShowHelp(); break;
    case 6: CloseDetailsForm(); break;
    default: break;
    }
}

void frmDetails::cmdMove_Click(int index)
{
    if (!m_commits->commitFocused())
        return;
    guarded(352, [this, index] {
        for (QPushButton* b : cmdMove)
            b->setEnabled(true);
        const auto result = m_session->move(EmployeeEditSession::Move(index));
        if (result.end == EmployeeEditSession::End::Start) {
            cmdMove[0]->setEnabled(false);
            cmdMove[1]->setEnabled(false);
        } else if (result.end == EmployeeEditSession::End::Finish) {
            cmdMove[3]->setEnabled(false);
            cmdMove[2]->setEnabled(false);
        }
        employeeHandOver().CurEmpNo = result.number;
        ShowEmployeeDetails();
    });
}

bool frmDetails::SaveEmployee()
{
    bool stored = false;
    EmployeeHandOver& handOver = employeeHandOver();
    enterProcedure(376);
    try {
        if (txtUserNum->text().isEmpty()) {
            ShowInputWarning(Translate(QStringLiteral("Please enter Employee Number.")));
            txtUserNum->setFocus();
            return false;
        }
        if (!m_session->isEditing()) {
            ShowInputWarning(Translate(QStringLiteral("Current Employee Not Found")));
            return false;
        }
        if (handOver.NewEmployee) {
            // The number goes in as the box shows it, checked once more.
            const EmployeeNumberVerdict verdict = checkEmployeeNumber(txtUserNum->text());
            if (!verdict.number) {
                ShowInputWarning(verdict.refusal);
                SelectAndFocus(txtUserNum);
                return false;
            }
            write(EmpField::Employee_Number, *verdict.number);
        }
        m_session->store(handOver.NewEmployee);
        stored = true;
        if (handOver.NewEmployee) {
            handOver.NewEmployee = false;
            handOver.CurEmpNo = m_session->value(EmpField::Employee_Number).toInt16();
        }
        txtUserNum->setEnabled(false);
    } catch (const AppError& error) {
        if (error.number() == Err::DuplicateKey) {
            ShowInputWarning(Translate(QStringLiteral("This Employee number already exsist!")) + QLatin1Char('\r') +
                             Translate(QStringLiteral("Please enter another number.")));
            SelectAndFocus(txtUserNum);
        } else {
            ReportError(376, error);
        }
    }
    return stored;
}

bool frmDetails::SaveAllEmployees()
{
    bool stored = false;
    guarded(374, [&] {
        m_session->storeAll();
        stored = true;
        if (m_session->count() > 0)
            ShowEmployeeDetails();
    });
    return stored;
}

void frmDetails::UndoEmployeeChanges()
{
    guarded(379, [this] {
        m_session->undo();
        ShowEmployeeDetails();
    });
}

void frmDetails::ShowHelp()
{
    guarded(385, [this] { HelpKey::press(this); });
}

void frmDetails::PrintEmployeeDetails()
{
    guardedPrinting(380, [this] {
        const ChosenPrinter printer = ShowPrinter(PrinterDialogFlags);
        if (m_session->count() == 0)
            return;
        if (!m_session->isEditing()) {
            ShowInputWarning(Translate(QStringLiteral("Current Employee Not Found")));
            return;
        }
        EmployeeSheet sheet;
        sheet.number = txtUserNum->text();
        sheet.firstName = txtFirstName->text();
        sheet.lastName = txtLastName->text();
        sheet.position = txtPosition->text();
        sheet.employmentDate = dateText(txtEmployDate);
        sheet.positionDate = dateText(txtPositionDate);
        sheet.idNumber = txtID->text();
        sheet.birthDate = dateText(txtBirthDate);
        sheet.gender = cmbGender->currentText();
        sheet.familyStatus = cmbStatus->currentText();
        sheet.address = txtAddress->toPlainText();
        sheet.phone1 = txtPhoneNum->text();
        sheet.phone2 = txtSelPhone->text();
        sheet.email = txtEmail->text();
        sheet.pictureFile = PictureID->text();
        sheet.picture = EmpImage->picture().toImage();
        PrintBesideTheWindow(printer, [&sheet](Printer& on) { PrintDetailsSheet(on, sheet); });
    });
}

void frmDetails::cmdCard_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(372, [this] {
        FormInstance<frmCodes>::get().showModal(this);
        const LinkState& link = linkState();
        if (!link.CodeCaptured)
            return;
        // 65535, no slot, is -1 in the signed column, as the event log keeps it.
        const auto slot = static_cast<int16_t>(link.LastSlot);
        write(EmpField::Employee_Code, link.CapturedCode);
        write(EmpField::SlotNumber, slot);
        write(EmpField::PinProx, link.CapturedCodeType);
        txtSlotNumber->setText(QString::number(slot));
        showCodeKind(link.CapturedCodeType == PinProx::Pin ? PinProx::Pin : PinProx::Card);
        // A store that fails has said why; the code stays in the record for the next Save.
        SaveEmployee();
        ChkCard->setCheckState(Qt::PartiallyChecked);
        imgAccess->loadPicture(icon(slot != 0 ? 1 : 2));
        cmdDelCode->setEnabled(true);
    });
}

void frmDetails::cmdDelCode_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(373, [this] {
        if (!AskYes(Translate(QStringLiteral("Are you sure you want to delete this item?"))))
            return;
        write(EmpField::Employee_Code, QString(QLatin1String("")));
        write(EmpField::SlotNumber, 0);
        write(EmpField::PinProx, 0);
        SaveEmployee();
        cmdDelCode->setEnabled(false);
        showCodeKind(PinProx::None);
        imgAccess->loadPicture(icon(2));
        ChkCard->setCheckState(Qt::Unchecked);
        txtSlotNumber->clear();
    });
}

void frmDetails::cmdAddPicture_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(370, [this] {
        EmployeeHandOver& handOver = employeeHandOver();
        handOver.CurPictureFile.clear();
        FormInstance<frmPicture>::get().showModal(this);
        QApplication::processEvents();
        const QString chosen = VbText::trim(handOver.CurPictureFile);
        if (!chosen.isEmpty()) {
            if (!EmpImage->loadPicture(chosen))
                throw pictureError(chosen);
            EmpImage->repaint();
            PictureID->setText(chosen);
        }
        write(EmpField::PictureFile, PictureID->text());
        cmdDelPicture->setEnabled(!VbText::trim(PictureID->text()).isEmpty());
    });
}

void frmDetails::cmdDelPicture_Click()
{
    if (!m_commits->commitFocused())
        return;
    guarded(371, [this] {
        if (!AskYes(Translate(QStringLiteral("Are you sure you want to delete this item?"))))
            return;
        setEnabled(false);
        EmpImage->setPicture(QPixmap());
        PictureID->clear();
        write(EmpField::PictureFile, QString(QLatin1String("")));
        cmdDelPicture->setEnabled(false);
        setEnabled(true);
    });
}

bool frmDetails::confirmClose()
{
    if (!Dirty())
        return true;
    switch (AskToSave(Translate(QStringLiteral("Do you want to save changes?")))) {
    case SaveAnswer::Stay: return false;
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Save: break;
    }
    // A new employee is stored and stays shown; a failed store keeps the window open with the edits.
    if (employeeHandOver().NewEmployee) {
        SaveEmployee();
        return false;
    }
    return SaveAllEmployees();
}

void frmDetails::CloseDetailsForm()
{
    guarded(351, [this] {
        if (!confirmClose())
            return;
        employeeHandOver().NewEmployee = false;
        m_session->close();
        m_closing = true;
        unloadForm();
        if (frmEmployees* list = FormInstance<frmEmployees>::find())
            list->SetSortingOff();
    });
}

bool frmDetails::Form_QueryUnload(int)
{
    if (m_closing || !m_session)
        return true;
    // The close box asks what Close asks, so pending edits are never dropped unasked.
    if (!m_commits->commitFocused())
        return false;
    bool close = true;
    guarded(351, [&] { close = confirmClose(); });
    return close;
}

void frmDetails::Form_Unload()
{
    employeeHandOver().NewEmployee = false;
    try {
        if (m_session)
            m_session->close();
    } catch (const AppError&) {
        // The work table is emptied again when the editor next opens.
    }
    if (frmEmployees* list = FormInstance<frmEmployees>::find()) {
        list->lvwEmployees->setVisible(true);
        list->lvwEmployees->update();
    }
}
