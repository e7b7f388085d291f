#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "employees/EmployeeHandOver.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "employees/frmPicture.h"
#include "link/LinkState.h"
#include "link/frmCodes.h"
#include "platform/forms/DateField.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/NullableDateEdit.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/TimeBox.h"
#include "platform/widgets/WidgetPrompts.h"
#include "tests/employees/EmployeeTestWorld.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/RecordingPrintBackend.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <QtTest>

namespace {

QVariant stored(const QString& column, int number)
{
    Recordset rs =
        Db().openSql(QStringLiteral("SELECT %1 FROM tblEmployees WHERE Employee_Number = ?").arg(column), {number});
    return rs.recordCount() > 0 ? rs.field(0).variant() : QVariant(QStringLiteral("<no row>"));
}

int employees()
{
    return Db().openSql(QStringLiteral("SELECT count(*) FROM tblEmployees")).field(0).toInt16();
}

}

// The employee editor as the user works it: fields left with the focus, the
// toolbar, the navigation, the code and picture buttons.
class DetailsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmDetails& open(bool isNew, int16_t number = 0)
    {
        employeeHandOver().NewEmployee = isNew;
        employeeHandOver().CurEmpNo = number;
        return showActive<frmDetails>();
    }

    // Types into a field, then moves the focus on, as the user leaves it.
    static void enter(frmDetails& editor, QWidget* field, const QString& text)
    {
        field->setFocus();
        if (auto* line = qobject_cast<QLineEdit*>(field)) {
            line->selectAll();
            QTest::keyClicks(line, text);
        }
        editor.Picture1->setFocus();
    }

    static void addEmployee(int number, const QString& first, const QString& last, const QString& more = {})
    {
        Db().execute(
            QStringLiteral("INSERT INTO tblEmployees (Employee_Number, First_Name, Last_Name) VALUES (?, ?, ?)"),
            {number, first, last});
        if (!more.isEmpty())
            Db().execute(QStringLiteral("UPDATE tblEmployees SET %1 WHERE Employee_Number = ?").arg(more), {number});
    }

    QStringList boxTexts() const { return ::boxTexts(env->prompts); }

    QString picture(const QString& name, Qt::GlobalColor colour) const
    {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = env->file(name);
        image.save(path);
        return path;
    }

    // Typed as a keyboard of any language types: key events carrying the text.
    static void typeText(QWidget* field, const QString& text)
    {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            QApplication::sendEvent(field, &release);
        }
    }

    // The year, the last four characters of the date in these locales, selected
    // with the keys and typed over.
    static void typeYear(DateField* field, const QString& year)
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(field, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClicks(field, year);
    }

private slots:
    void init()
    {
        env = startAsAdministrator();
        appState().CommOpened = true;
    }

    void cleanup()
    {
        env.reset();
        QLocale::setDefault(QLocale::system());
    }

    void aNewEmployeeIsStoredUnderAWholeNumber()
    {
        frmDetails& editor = open(true);
        QVERIFY(!editor.cmdMove[0]->isVisible());
        QVERIFY(!editor.ToolbarButton[2]->isEnabled());
        enter(editor, editor.txtUserNum, QStringLiteral(" 12 "));
        enter(editor, editor.txtFirstName, QStringLiteral("  john smith "));
        QCOMPARE(editor.txtFirstName->text(), QStringLiteral("John smith"));
        editor.txtLastName->setFocus();
        QTest::keyClicks(editor.txtLastName, QStringLiteral("O'Neil"));
        // The toolbar takes no focus: the field being edited writes first.
        editor.ToolbarButton[1]->trigger();
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(stored(QStringLiteral("typeof(Employee_Number)"), 12).toString(), QStringLiteral("integer"));
        QCOMPARE(stored(QStringLiteral("First_Name"), 12).toString(), QStringLiteral("John smith"));
        QCOMPARE(stored(QStringLiteral("Last_Name"), 12).toString(), QStringLiteral("O'Neil"));
        QCOMPARE(stored(QStringLiteral("StartTime"), 12).toString(), QStringLiteral("__:__"));
        QVERIFY(!editor.Dirty());
        QVERIFY(!editor.txtUserNum->isEnabled());
        QVERIFY(!employeeHandOver().NewEmployee);
        // Saved again, it stays one employee.
        enter(editor, editor.txtID, QStringLiteral("X-1"));
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("Id_Number"), 12).toString(), QStringLiteral("X-1"));
        QCOMPARE(employees(), 1);
    }

    // Only whole numbers 1 to 500 get in: anything else would be stored as a
    // REAL or TEXT that no lookup by number finds.
    void refusedNumbersStoreNothing_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString plain = QStringLiteral("Invalid Employee number, Please enter a number");
        // clang-format off
        QTest::newRow("fraction") << "2.5" << plain;
        QTest::newRow("hexadecimal") << "&H10" << plain;
        QTest::newRow("zero") << "0" << plain + " From: 1 To: 500.";
        QTest::newRow("too high") << "501" << plain + " From: 1 To: 500.";
        QTest::newRow("taken") << "7" << "This Employee number already exist.";
        // clang-format on
    }

    void refusedNumbersStoreNothing()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(true);
        enter(editor, editor.txtUserNum, typed);
        QCOMPARE(boxTexts(), QStringList{message});
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("Warning"));
        QVERIFY(editor.txtUserNum->hasFocus());
        QCOMPARE(editor.txtUserNum->selectedText(), typed);
        // Save refuses it as well, and the register keeps its one employee.
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(employees(), 1);
        QCOMPARE(stored(QStringLiteral("First_Name"), 7).toString(), QStringLiteral("Ann"));
        QVERIFY(employeeHandOver().NewEmployee);
    }

    void saveWithoutANumberStoresNothing()
    {
        frmDetails& editor = open(true);
        enter(editor, editor.txtLastName, QStringLiteral("Lee"));
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(boxTexts(), QStringList{"Please enter Employee Number."});
        QCOMPARE(employees(), 0);
        QVERIFY(editor.Dirty());
    }

    void theDisplayShowsEveryField()
    {
        const QString picture = env->file(QStringLiteral("ann.png"));
        QImage(4, 4, QImage::Format_RGB32).save(picture);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"),
                    QStringLiteral("Gender = 2, Status = 0, Birth_Date = '1980-05-17', Address = 'Main St\n4', "
                                   "PictureFile = '%1', SlotNumber = 17, StartTime = '7:05', WorkingHours = 8, "
                                   "Employee_Code = '1234', PinProx = 1")
                        .arg(picture));
        frmDetails& editor = open(false, 7);
        QCOMPARE(editor.txtUserNum->text(), QStringLiteral("7"));
        QVERIFY(!editor.txtUserNum->isEnabled());
        QCOMPARE(editor.cmbGender->currentText(), QStringLiteral("Female"));
        QCOMPARE(editor.cmbStatus->currentIndex(), -1);
        QCOMPARE(editor.txtBirthDate->value(), std::optional<QDate>(QDate(1980, 5, 17)));
        QCOMPARE(editor.txtEmployDate->value(), std::nullopt);
        QCOMPARE(editor.txtAddress->toPlainText(), QStringLiteral("Main St\n4"));
        QCOMPARE(editor.PictureID->text(), picture);
        QVERIFY(editor.cmdDelPicture->isEnabled());
        QCOMPARE(editor.txtSlotNumber->text(), QStringLiteral("17"));
        QCOMPARE(editor.ChkCard->checkState(), Qt::PartiallyChecked);
        QVERIFY(editor.cmdDelCode->isEnabled());
        QCOMPARE(editor.txtTime->displayText(), QStringLiteral("07:05"));
        QCOMPARE(editor.cmbHours->currentText(), QStringLiteral("8"));
        QVERIFY(!editor.Image1->picture().isNull());
        QVERIFY(!editor.Dirty());
        QVERIFY(boxTexts().isEmpty());
    }

    // A Null text field shows as empty text; the display goes on to the end
    // and the record stays open for the fields to write into.
    void nullFieldsShowEmpty()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"),
                    QStringLiteral("Id_Number = NULL, Position = NULL, SlotNumber = NULL, Employee_Code = NULL, "
                                   "StartTime = NULL, WorkingHours = NULL, PinProx = NULL, Gender = NULL"));
        frmDetails& editor = open(false, 7);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(editor.txtID->text(), QString());
        QCOMPARE(editor.txtSlotNumber->text(), QString());
        QCOMPARE(editor.txtTime->displayText(), QStringLiteral("__:__"));
        QCOMPARE(editor.ChkCard->checkState(), Qt::Unchecked);
        enter(editor, editor.txtPosition, QStringLiteral("Clerk"));
        editor.ToolbarButton[1]->trigger();
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(stored(QStringLiteral("Position"), 7).toString(), QStringLiteral("Clerk"));
    }

    void anEmployeeThatIsNotThereIsReportedAndNothingOpens()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 99);
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY(boxTexts().first().startsWith(QLatin1String("Funcion error#: 378\r")));
        QVERIFY(boxTexts().first().contains(QLatin1String("Current Employee Not Found")));
        // Nothing is open: a field left writes nothing anywhere, and says nothing.
        enter(editor, editor.txtFirstName, QStringLiteral("Zed"));
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY(!editor.Dirty());
        editor.ToolbarButton[2]->trigger();
        QCOMPARE(stored(QStringLiteral("First_Name"), 7).toString(), QStringLiteral("Ann"));
    }

    void theListsStoreTheirChoice()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("WorkingHours = 8, Gender = 1"));
        frmDetails& editor = open(false, 7);
        editor.cmbHours->setFocus();
        editor.cmbHours->setCurrentIndex(-1);
        editor.cmbGender->setFocus();
        editor.cmbGender->setCurrentIndex(-1);
        editor.Picture1->setFocus();
        editor.ToolbarButton[1]->trigger();
        // No choice is 0 for the reports, never -1.
        QCOMPARE(stored(QStringLiteral("WorkingHours"), 7).toInt(), 0);
        QCOMPARE(stored(QStringLiteral("Gender"), 7).toInt(), 0);
    }

    void aStartTimeIsCheckedOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("25:00") << "2500" << true;
        QTest::newRow("12:60") << "1260" << true;
        QTest::newRow("half typed") << "08" << true;
        QTest::newRow("23:59") << "2359" << false;
        QTest::newRow("empty") << "" << false;
    }

    void aStartTimeIsCheckedOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("StartTime = '06:00'"));
        frmDetails& editor = open(false, 7);
        editor.txtTime->setFocus();
        editor.txtTime->clear();
        editor.txtTime->setCursorPosition(0);
        QTest::keyClicks(editor.txtTime, typed);
        editor.Picture1->setFocus();
        if (refused) {
            QCOMPARE(boxTexts(), QStringList{"Invalid Time!\r\nThe Valid Time Format is HH:mm"});
            QCOMPARE(editor.txtTime->displayText(), QStringLiteral("__:__"));
            QVERIFY(editor.txtTime->hasFocus());
            QVERIFY(!editor.Dirty()); // nothing was written
        } else {
            editor.ToolbarButton[1]->trigger();
            QVERIFY(boxTexts().isEmpty());
            QCOMPARE(stored(QStringLiteral("StartTime"), 7).toString(), editor.txtTime->displayText());
        }
    }

    void navigationStopsAtTheEnds()
    {
        for (int n : {3, 5, 9})
            addEmployee(n, QStringLiteral("N%1").arg(n), QStringLiteral("Last"));
        frmDetails& editor = open(false, 5);
        editor.cmdMove[1]->click();
        QCOMPARE(editor.txtUserNum->text(), QStringLiteral("3"));
        for (QPushButton* b : editor.cmdMove)
            QVERIFY(b->isEnabled());
        editor.cmdMove[1]->click();
        QCOMPARE(editor.txtUserNum->text(), QStringLiteral("3"));
        QVERIFY(!editor.cmdMove[0]->isEnabled() && !editor.cmdMove[1]->isEnabled());
        editor.cmdMove[3]->click();
        QCOMPARE(editor.txtUserNum->text(), QStringLiteral("9"));
        QVERIFY(editor.cmdMove[0]->isEnabled() && !editor.cmdMove[2]->isEnabled() && !editor.cmdMove[3]->isEnabled());
        QCOMPARE(employeeHandOver().CurEmpNo, int16_t(9));
    }

    void aClickWithABadTimeWarnsOnceAndDoesNothing()
    {
        for (int n : {3, 5})
            addEmployee(n, QStringLiteral("N%1").arg(n), QStringLiteral("Last"));
        frmDetails& editor = open(false, 3);
        editor.SSTab1->setCurrentIndex(1);
        editor.txtTime->setFocus();
        editor.txtTime->setCursorPosition(0);
        QTest::keyClicks(editor.txtTime, QStringLiteral("2500"));
        QTest::mouseClick(editor.cmdMove[2], Qt::LeftButton);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(editor.txtUserNum->text(), QStringLiteral("3"));
    }

    void undoTakesBackWhatIsNotSaved()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        enter(editor, editor.txtFirstName, QStringLiteral("Zoe"));
        editor.ToolbarButton[3]->trigger();
        QCOMPARE(editor.txtFirstName->text(), QStringLiteral("Ann"));
        editor.ToolbarButton[2]->trigger();
        QCOMPARE(stored(QStringLiteral("First_Name"), 7).toString(), QStringLiteral("Ann"));
    }

    // Storing the shown employee stores that one only: a change made to
    // another one before is still to be stored, and Close asks for it.
    void closeAsksForTheChangesOfAnotherEmployee_data()
    {
        QTest::addColumn<int>("how"); // 0 Save, 1 Add Code, 2 Delete Code
        QTest::newRow("Save") << 0;
        QTest::newRow("Add Code") << 1;
        QTest::newRow("Delete Code") << 2;
    }

    void closeAsksForTheChangesOfAnotherEmployee()
    {
        QFETCH(int, how);
        addEmployee(1, QStringLiteral("Ann"), QStringLiteral("Smith"));
        addEmployee(2, QStringLiteral("Bob"), QStringLiteral("Jones"),
                    QStringLiteral("Employee_Code = '77', SlotNumber = 2, PinProx = 2"));
        frmDetails& editor = open(false, 1);
        enter(editor, editor.txtFirstName, QStringLiteral("Zoe"));
        editor.cmdMove[2]->click();
        QCOMPARE(editor.txtUserNum->text(), QStringLiteral("2"));
        enter(editor, editor.txtLastName, QStringLiteral("Brown"));
        if (how == 0) {
            editor.ToolbarButton[1]->trigger();
        } else if (how == 1) {
            env->modalSteps.enqueue([](Form& form) {
                linkState().CodeCaptured = true;
                linkState().CapturedCode = QStringLiteral("1234");
                linkState().CapturedCodeType = 1;
                linkState().LastSlot = 3;
                form.unloadForm();
            });
            editor.cmdCard->click();
        } else {
            env->prompts.answers.enqueue(MsgBox::Yes);
            editor.cmdDelCode->click();
        }
        QCOMPARE(stored(QStringLiteral("Last_Name"), 2).toString(), QStringLiteral("Brown"));
        QCOMPARE(stored(QStringLiteral("First_Name"), 1).toString(), QStringLiteral("Ann"));
        QVERIFY(editor.Dirty());
        const qsizetype before = boxTexts().size();
        env->prompts.answers.enqueue(MsgBox::Yes);
        editor.ToolbarButton[6]->trigger();
        QCOMPARE(boxTexts().mid(before), QStringList{"Do you want to save changes?"});
        QVERIFY(!FormInstance<frmDetails>::exists());
        QCOMPARE(stored(QStringLiteral("First_Name"), 1).toString(), QStringLiteral("Zoe"));
        QCOMPARE(stored(QStringLiteral("Last_Name"), 2).toString(), QStringLiteral("Brown"));
    }

    // Dates show and take four-digit years whatever the locale's short form.
    void datesHaveFourDigitYears_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("ticked");
        // clang-format off
        QTest::newRow("C") << "C" << "17 May 1980" << "2 Mar 2026";
        QTest::newRow("en_US") << "en_US" << "5/17/1980" << "3/2/2026";
        QTest::newRow("de_DE") << "de_DE" << "17.05.1980" << "02.03.2026";
        // clang-format on
    }

    void datesHaveFourDigitYears()
    {
        QFETCH(QString, locale);
        QFETCH(QString, shown);
        QFETCH(QString, ticked);
        QLocale::setDefault(QLocale(locale));
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("Birth_Date = '1980-05-17'"));
        frmDetails& editor = open(false, 7);
        QCOMPARE(editor.txtBirthDate->dateEdit()->text(), shown);
        typeYear(editor.txtBirthDate->dateEdit(), QStringLiteral("1985"));
        editor.Picture1->setFocus();
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("Birth_Date"), 7).toString(), QStringLiteral("1985-05-17"));
        // An empty date ticked on starts at today's.
        editor.SSTab1->setCurrentIndex(1);
        QVERIFY(editor.txtEmployDate->dateEdit()->text().trimmed().isEmpty());
        editor.txtEmployDate->checkBox()->click();
        QCOMPARE(editor.txtEmployDate->dateEdit()->text(), ticked);
        editor.txtEmployDate->dateEdit()->setFocus();
        editor.Picture1->setFocus();
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("Employment_Date"), 7).toString(), QStringLiteral("2026-03-02"));
        QVERIFY(boxTexts().isEmpty());
    }

    // Two year digits stand for this century up to this year's two digits (the
    // test clock's 2026), for the century before above them; they show as four
    // once the field is left, and a Save pressed while still typing takes them too.
    void twoYearDigitsAreMadeFour_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("C 85") << "C" << "85" << true << "17 May 1985" << "1985-05-17";
        QTest::newRow("C 07, saved while typing") << "C" << "07" << false << "17 May 2007" << "2007-05-17";
        QTest::newRow("en_US 07") << "en_US" << "07" << true << "5/17/2007" << "2007-05-17";
        QTest::newRow("en_US this year") << "en_US" << "26" << true << "5/17/2026" << "2026-05-17";
        QTest::newRow("en_US next year's digits") << "en_US" << "27" << false << "5/17/1927" << "1927-05-17";
        QTest::newRow("de_DE 85, saved while typing") << "de_DE" << "85" << false << "17.05.1985" << "1985-05-17";
        QTest::newRow("de_DE 00") << "de_DE" << "00" << true << "17.05.2000" << "2000-05-17";
        // clang-format on
    }

    void twoYearDigitsAreMadeFour()
    {
        QFETCH(QString, locale);
        QFETCH(QString, digits);
        QFETCH(bool, leave);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        QLocale::setDefault(QLocale(locale));
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("Birth_Date = '1980-05-17'"));
        frmDetails& editor = open(false, 7);
        DateField* field = editor.txtBirthDate->dateEdit();
        typeYear(field, digits);
        if (leave) {
            editor.Picture1->setFocus();
            QCOMPARE(field->text(), shown);
        }
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(field->text(), shown);
        QCOMPARE(::stored(QStringLiteral("Birth_Date"), 7).toString(), stored);
        QVERIFY(boxTexts().isEmpty());
    }

    // A date is taken as typed, as a whole: what was selected is replaced and
    // the rest stays, like any text; text that is no date (a day its month has
    // not, a date typed into the old one) is refused under the field's name and
    // stays as typed, never moved to another day. Leaving the field takes it,
    // and so does Save pressed while still typing.
    void aDateIsStoredAsTyped_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("selected"); // -1 all (Ctrl+A), else that many from the start (0: Home)
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored"); // empty: refused; "NULL": no date
        // clang-format off
        QTest::newRow("en_US all") << "en_US" << -1 << "07/04/1976" << true << "7/4/1976" << "1976-07-04";
        QTest::newRow("en_US all, saved while typing") << "en_US" << -1 << "07/04/1976" << false << "7/4/1976" << "1976-07-04";
        QTest::newRow("en_US 29 February 2000") << "en_US" << -1 << "02/29/00" << true << "2/29/2000" << "2000-02-29";
        QTest::newRow("en_US 29 February 2001") << "en_US" << -1 << "02/29/01" << true << "02/29/01" << "";
        QTest::newRow("en_US without separators") << "en_US" << -1 << "070476" << false << "7/4/1976" << "1976-07-04";
        QTest::newRow("en_US over the first part") << "en_US" << 1 << "07/04/1976" << true << "07/04/1976/17/1980" << "";
        QTest::newRow("de_DE all") << "de_DE" << -1 << "15.06.2018" << true << "15.06.2018" << "2018-06-15";
        QTest::newRow("de_DE Home") << "de_DE" << 0 << "20.07.2017" << true << "20.07.201717.05.1980" << "";
        QTest::newRow("de_DE 31 February, saved while typing") << "de_DE" << -1 << "31.02.2018" << false << "31.02.2018" << "";
        QTest::newRow("de_DE without separators") << "de_DE" << -1 << "20072017" << true << "20.07.2017" << "2017-07-20";
        QTest::newRow("de_DE the day alone") << "de_DE" << 2 << "20" << true << "20.05.1980" << "1980-05-20";
        QTest::newRow("de_DE emptied") << "de_DE" << -1 << " " << true << "" << "NULL";
        QTest::newRow("C all") << "C" << -1 << "4 Jul 1976" << true << "4 Jul 1976" << "1976-07-04";
        QTest::newRow("C month by number") << "C" << -1 << "4.7.76" << false << "4 Jul 1976" << "1976-07-04";
        QTest::newRow("C 31 June") << "C" << -1 << "31 Jun 2018" << true << "31 Jun 2018" << "";
        // clang-format on
    }

    void aDateIsStoredAsTyped()
    {
        QFETCH(QString, locale);
        QFETCH(int, selected);
        QFETCH(QString, typed);
        QFETCH(bool, leave);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        QLocale::setDefault(QLocale(locale));
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("Birth_Date = '1980-05-17'"));
        frmDetails& editor = open(false, 7);
        DateField* field = editor.txtBirthDate->dateEdit();
        field->setFocus();
        if (selected < 0) {
            QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        } else {
            QTest::keyClick(field, Qt::Key_Home);
            for (int i = 0; i < selected; ++i)
                QTest::keyClick(field, Qt::Key_Right, Qt::ShiftModifier);
        }
        QTest::keyClicks(field, typed);
        if (leave)
            editor.Picture1->setFocus();
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(field->text(), shown);
        if (stored.isEmpty()) {
            const QString message = QStringLiteral("Birth Date: Invalid Date!");
            QCOMPARE(boxTexts(), leave ? (QStringList{message, message}) : QStringList{message});
            QVERIFY(field->hasFocus());
            QCOMPARE(field->selectedText(), shown);
            QCOMPARE(::stored(QStringLiteral("Birth_Date"), 7).toString(), QStringLiteral("1980-05-17"));
            return;
        }
        QVERIFY(boxTexts().isEmpty());
        const QVariant value = ::stored(QStringLiteral("Birth_Date"), 7);
        QCOMPARE(value.isNull() ? QStringLiteral("NULL") : value.toString(), stored);
    }

    // The calendar still picks a day: F4 or Alt+Down opens it at the field's
    // date, Enter takes the day chosen, Esc leaves the field as it was.
    void theCalendarPicksADay()
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("Birth_Date = '1980-05-17'"));
        frmDetails& editor = open(false, 7);
        DateField* field = editor.txtBirthDate->dateEdit();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Down, Qt::AltModifier);
        QCalendarWidget* calendar = field->openCalendar();
        QVERIFY(calendar);
        QCOMPARE(calendar->selectedDate(), QDate(1980, 5, 17));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!field->openCalendar());
        QCOMPARE(field->text(), QStringLiteral("5/17/1980"));
        QTest::keyClick(field, Qt::Key_F4);
        QVERIFY(field->openCalendar());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(!field->openCalendar());
        QCOMPARE(field->text(), QStringLiteral("5/18/1980"));
        QVERIFY(field->hasFocus());
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("Birth_Date"), 7).toString(), QStringLiteral("1980-05-18"));
        QVERIFY(boxTexts().isEmpty());
    }

    // A year the register cannot mean (a mistyped run of digits) is refused
    // under the field's name: nothing is written and the field keeps the focus.
    void aYearOutOfRangeIsRefused_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("field"); // 0 Birth Date, 1 Position Date, 2 Employment Date
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        QTest::newRow("C, 4198") << "C" << 0 << "4198"
                                 << "Birth Date: Invalid Date!\r\nThe year must lie between 1900 and 2099.";
        QTest::newRow("en_US, 1899") << "en_US" << 1 << "1899"
                                     << "Position Date: Invalid Date!\r\nThe year must lie between 1900 and 2099.";
        QTest::newRow("de_DE, 2100") << "de_DE" << 2 << "2100"
                                     << "Employment Date: Invalid Date!\r\nThe year must lie between 1900 and 2099.";
    }

    void aYearOutOfRangeIsRefused()
    {
        QFETCH(QString, locale);
        QFETCH(int, field);
        QFETCH(QString, year);
        QFETCH(QString, message);
        QLocale::setDefault(QLocale(locale));
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"),
                    QStringLiteral("Birth_Date = '1980-05-17', Position_Date = '1980-05-17', "
                                   "Employment_Date = '1980-05-17'"));
        frmDetails& editor = open(false, 7);
        NullableDateEdit* fields[3] = {editor.txtBirthDate, editor.txtPositionDate, editor.txtEmployDate};
        const char* columns[3] = {"Birth_Date", "Position_Date", "Employment_Date"};
        editor.SSTab1->setCurrentIndex(field == 0 ? 0 : 1);
        typeYear(fields[field]->dateEdit(), year);
        editor.Picture1->setFocus();
        QCOMPARE(boxTexts(), QStringList{message});
        QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("Warning"));
        QVERIFY(fields[field]->dateEdit()->hasFocus());
        QCOMPARE(fields[field]->dateEdit()->selectedText(), fields[field]->dateEdit()->text());
        QVERIFY(!editor.Dirty());
        // Save stops at the same refusal.
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(boxTexts(), (QStringList{message, message}));
        QCOMPARE(stored(QString::fromLatin1(columns[field]), 7).toString(), QStringLiteral("1980-05-17"));
        // The year put right, the date is stored.
        typeYear(fields[field]->dateEdit(), QStringLiteral("1984"));
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(boxTexts().size(), 2);
        QCOMPARE(stored(QString::fromLatin1(columns[field]), 7).toString(), QStringLiteral("1984-05-17"));
    }

    // A field without a date shows none, not the date of the employee before.
    void aFieldWithoutADateShowsNone()
    {
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        addEmployee(1, QStringLiteral("Ann"), QStringLiteral("Smith"), QStringLiteral("Birth_Date = '1980-05-17'"));
        addEmployee(2, QStringLiteral("Bob"), QStringLiteral("Jones"));
        frmDetails& editor = open(false, 1);
        QCOMPARE(editor.txtBirthDate->dateEdit()->text(), QStringLiteral("5/17/1980"));
        editor.cmdMove[2]->click();
        QCOMPARE(editor.txtBirthDate->value(), std::nullopt);
        QVERIFY(!editor.txtBirthDate->checkBox()->isChecked());
        QVERIFY(!editor.txtBirthDate->dateEdit()->isEnabled());
        QCOMPARE(editor.txtBirthDate->dateEdit()->text().trimmed(), QString());
        // Ticked off, a date goes away on screen too.
        editor.cmdMove[0]->click();
        editor.txtBirthDate->dateEdit()->setFocus();
        editor.txtBirthDate->checkBox()->click();
        QCOMPARE(editor.txtBirthDate->dateEdit()->text().trimmed(), QString());
        editor.Picture1->setFocus();
        editor.ToolbarButton[1]->trigger();
        QVERIFY(stored(QStringLiteral("Birth_Date"), 1).isNull());
    }

    // The names reach the report files, which carry only Windows-1252: a
    // character beyond it is refused as it is typed, and a name stored with
    // one before is refused when it is left.
    void namesTakeOnlyWhatTheReportFilesCarry()
    {
        const QString message =
            QStringLiteral("Invalid Name!\r\nA name can hold only Western European characters (Windows-1252).");
        addEmployee(7, QStringLiteral("иван"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        editor.txtLastName->setFocus();
        editor.txtLastName->selectAll();
        typeText(editor.txtLastName, QStringLiteral("Müllerω"));
        QCOMPARE(boxTexts(), QStringList{message});
        QCOMPARE(editor.txtLastName->text(), QStringLiteral("Müller"));
        editor.txtFirstName->setFocus();
        editor.Picture1->setFocus();
        QCOMPARE(boxTexts(), (QStringList{message, message}));
        QVERIFY(editor.txtFirstName->hasFocus());
        QCOMPARE(editor.txtFirstName->selectedText(), QStringLiteral("иван"));
        editor.txtFirstName->selectAll();
        QTest::keyClicks(editor.txtFirstName, QStringLiteral("Iwan"));
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(boxTexts().size(), 2);
        QCOMPARE(stored(QStringLiteral("First_Name"), 7).toString(), QStringLiteral("Iwan"));
        QCOMPARE(stored(QStringLiteral("Last_Name"), 7).toString(), QStringLiteral("Müller"));
    }

    // Closing by the close box asks what Close asks; edits are never dropped unasked.
    void closingAsksToSave_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stored");
        QTest::newRow("close box, yes") << true << int(MsgBox::Yes) << "Zoe";
        QTest::newRow("close box, no") << true << int(MsgBox::No) << "Ann";
        QTest::newRow("close, yes") << false << int(MsgBox::Yes) << "Zoe";
        QTest::newRow("close, no") << false << int(MsgBox::No) << "Ann";
    }

    void closingAsksToSave()
    {
        QFETCH(bool, closeBox);
        QFETCH(int, answer);
        QFETCH(QString, stored);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        editor.txtFirstName->setFocus();
        editor.txtFirstName->setText(QStringLiteral("Zoe"));
        env->prompts.answers.enqueue(answer);
        if (closeBox)
            editor.close();
        else
            editor.ToolbarButton[6]->trigger();
        QCOMPARE(boxTexts(), QStringList{"Do you want to save changes?"});
        QVERIFY(!FormInstance<frmDetails>::exists());
        QCOMPARE(::stored(QStringLiteral("First_Name"), 7).toString(), stored);
        QCOMPARE(Db().openSql(QStringLiteral("SELECT count(*) FROM tblTempEmp")).field(0).toInt16(), int16_t(0));
    }

    // Cancel keeps the editor open with every edit, the one still being typed
    // included; they are still there to be saved.
    void cancelKeepsTheEditorAsItWas_data()
    {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("close box") << true;
        QTest::newRow("close") << false;
    }

    void cancelKeepsTheEditorAsItWas()
    {
        QFETCH(bool, closeBox);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        enter(editor, editor.txtID, QStringLiteral("X-123"));
        editor.txtFirstName->setFocus();
        editor.txtFirstName->setText(QStringLiteral("Zoe"));
        env->prompts.answers.enqueue(MsgBox::Cancel);
        if (closeBox)
            editor.close();
        else
            editor.ToolbarButton[6]->trigger();
        QCOMPARE(boxTexts(), QStringList{"Do you want to save changes?"});
        QVERIFY(FormInstance<frmDetails>::exists());
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.txtID->text(), QStringLiteral("X-123"));
        QCOMPARE(editor.txtFirstName->text(), QStringLiteral("Zoe"));
        QVERIFY(editor.Dirty());
        QCOMPARE(::stored(QStringLiteral("Id_Number"), 7).toString(), QString());
        env->prompts.answers.enqueue(MsgBox::Yes);
        editor.ToolbarButton[6]->trigger();
        QVERIFY(!FormInstance<frmDetails>::exists());
        QCOMPARE(::stored(QStringLiteral("Id_Number"), 7).toString(), QStringLiteral("X-123"));
        QCOMPARE(::stored(QStringLiteral("First_Name"), 7).toString(), QStringLiteral("Zoe"));
    }

    // The real box, answered by its keys: Esc is Cancel and keeps the edit, N is No and drops it.
    void escapeAtTheBoxKeepsTheEditor()
    {
        WidgetPrompts boxes;
        setPrompts(&boxes);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        enter(editor, editor.txtID, QStringLiteral("X-123"));
        QStringList seen;
        int key = Qt::Key_Escape;
        BoxAnswerer answer([&](QMessageBox& box) {
            seen << box.windowTitle() + QLatin1Char('|') + box.text();
            QTest::keyClick(&box, static_cast<Qt::Key>(key));
        });
        editor.ToolbarButton[6]->trigger();
        QCOMPARE(seen, QStringList{"GT-430|Do you want to save changes?"});
        QVERIFY(FormInstance<frmDetails>::exists());
        QCOMPARE(editor.txtID->text(), QStringLiteral("X-123"));
        key = Qt::Key_N;
        editor.close();
        answer.stop();
        setPrompts(&env->prompts);
        QCOMPARE(seen.size(), 2);
        QVERIFY(!FormInstance<frmDetails>::exists());
        QCOMPARE(::stored(QStringLiteral("Id_Number"), 7).toString(), QString());
    }

    void aFailedSaveKeepsTheWindowOpen()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        Db().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblEmployees "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        frmDetails& editor = open(false, 7);
        enter(editor, editor.txtFirstName, QStringLiteral("Zoe"));
        env->prompts.answers.enqueue(MsgBox::Yes);
        editor.close();
        QVERIFY(FormInstance<frmDetails>::exists());
        QCOMPARE(boxTexts().size(), 2);
        QVERIFY(boxTexts().at(1).startsWith(QLatin1String("Funcion error#: 374\r")));
        QVERIFY(editor.Dirty());
        QCOMPARE(editor.txtFirstName->text(), QStringLiteral("Zoe"));
    }

    void closeWithYesForANewEmployeeSavesAndStays()
    {
        frmDetails& editor = open(true);
        enter(editor, editor.txtUserNum, QStringLiteral("3"));
        env->prompts.answers.enqueue(MsgBox::Yes);
        editor.ToolbarButton[6]->trigger();
        QVERIFY(FormInstance<frmDetails>::exists());
        QCOMPARE(employees(), 1);
        // Nothing left to save: the next Close closes.
        editor.ToolbarButton[6]->trigger();
        QVERIFY(!FormInstance<frmDetails>::exists());
    }

    // The capture's own flag says a code was taken.
    void addCodeStoresTheCodeAtOnce()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        QVERIFY(editor.cmdCard->isEnabled());
        env->modalSteps.enqueue([](Form& form) {
            LinkState& link = linkState();
            link.CodeCaptured = true;
            link.CapturedCode = QStringLiteral("0000004660  ");
            link.CapturedCodeType = 2;
            link.LastSlot = 65535; // no slot
            form.unloadForm();
        });
        editor.cmdCard->click();
        QCOMPARE(env->modalWindows, QStringList{"frmCodes"});
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(stored(QStringLiteral("Employee_Code"), 7).toString(), QStringLiteral("0000004660  "));
        QCOMPARE(stored(QStringLiteral("SlotNumber"), 7).toInt(), -1);
        QCOMPARE(stored(QStringLiteral("PinProx"), 7).toInt(), 2);
        QCOMPARE(editor.txtSlotNumber->text(), QStringLiteral("-1"));
        QVERIFY(!editor.Dirty());
        QVERIFY(editor.cmdDelCode->isEnabled());
        // Shown again, the stored slot reads back, and so does one stored unsigned.
        editor.ToolbarButton[3]->trigger();
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(editor.txtSlotNumber->text(), QStringLiteral("-1"));
        Db().execute(QStringLiteral("UPDATE tblTempEmp SET SlotNumber = 65535"));
        editor.ToolbarButton[3]->trigger();
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(editor.txtSlotNumber->text(), QStringLiteral("-1"));
        QCOMPARE(editor.txtTime->displayText(), QStringLiteral("__:__"));
    }

    void aCaptureClosedWithoutACodeChangesNothing()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        // What an earlier capture left is no capture of this one.
        linkState().CodeCaptured = true;
        linkState().CapturedCode = QStringLiteral("0000004660  ");
        editor.cmdCard->click();
        QCOMPARE(stored(QStringLiteral("Employee_Code"), 7).toString(), QString());
        QCOMPARE(editor.ChkCard->checkState(), Qt::Unchecked);
        QVERIFY(!editor.Dirty());
    }

    // A store that fails says so once and stops: it is not tried again.
    void aFailedCodeStoreIsReportedOnce()
    {
        frmDetails& editor = open(true);
        env->modalSteps.enqueue([](Form& form) {
            linkState().CodeCaptured = true;
            linkState().CapturedCode = QStringLiteral("1234");
            linkState().CapturedCodeType = 1;
            linkState().LastSlot = 3;
            form.unloadForm();
        });
        editor.cmdCard->click();
        QCOMPARE(boxTexts(), QStringList{"Please enter Employee Number."});
        QCOMPARE(employees(), 0);
        QVERIFY(editor.Dirty());
        // With a number the code goes in with the next Save.
        enter(editor, editor.txtUserNum, QStringLiteral("4"));
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("Employee_Code"), 4).toString(), QStringLiteral("1234"));
        QCOMPARE(stored(QStringLiteral("PinProx"), 4).toInt(), 1);
    }

    void addCodeNeedsThePort()
    {
        appState().CommOpened = false;
        frmDetails& editor = open(true);
        QVERIFY(!editor.cmdCard->isEnabled());
    }

    void deleteCodeAsksFirst()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"),
                    QStringLiteral("Employee_Code = '1234', SlotNumber = 3, PinProx = 1"));
        frmDetails& editor = open(false, 7);
        editor.cmdDelCode->click(); // answered No
        QCOMPARE(stored(QStringLiteral("Employee_Code"), 7).toString(), QStringLiteral("1234"));
        env->prompts.answers.enqueue(MsgBox::Yes);
        editor.cmdDelCode->click();
        QCOMPARE(stored(QStringLiteral("Employee_Code"), 7).toString(), QString());
        QCOMPARE(stored(QStringLiteral("SlotNumber"), 7).toInt(), 0);
        QCOMPARE(stored(QStringLiteral("PinProx"), 7).toInt(), 0);
        QVERIFY(!editor.cmdDelCode->isEnabled());
        QCOMPARE(editor.txtSlotNumber->text(), QString());
    }

    void aPictureIsChosenAndSavedWithTheEmployee()
    {
        QDir(env->folder()).mkdir(QStringLiteral("Pictures"));
        const QString picture = env->file(QStringLiteral("Pictures/ann.png"));
        QImage(4, 4, QImage::Format_RGB32).save(picture);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        env->modalSteps.enqueue([](Form& form) {
            auto& chooser = static_cast<frmPicture&>(form);
            chooser.ChosenFile->setCurrentRow(0);
            chooser.ChosenFile_Click();
            chooser.Accept_Click();
        });
        editor.cmdAddPicture->click();
        QCOMPARE(editor.PictureID->text(), picture);
        QVERIFY(editor.cmdDelPicture->isEnabled());
        QVERIFY(editor.Dirty());
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("PictureFile"), 7).toString(), picture);
        // A chooser cancelled keeps the picture.
        editor.cmdAddPicture->click();
        QCOMPARE(editor.PictureID->text(), picture);
        env->prompts.answers.enqueue(MsgBox::Yes);
        editor.cmdDelPicture->click();
        QVERIFY(editor.EmpImage->picture().isNull());
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(stored(QStringLiteral("PictureFile"), 7).toString(), QString());
    }

    void aPictureThatIsGoneShowsTheDefault()
    {
        appState().DefaultPictureFile = picture(QStringLiteral("default.png"), Qt::red);
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"),
                    QStringLiteral("PictureFile = '/nowhere/ann.png', SlotNumber = 4"));
        frmDetails& editor = open(false, 7);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(editor.EmpImage->picture().toImage().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(editor.PictureID->text(), QString());
        QVERIFY(!editor.cmdDelPicture->isEnabled());
        QCOMPARE(editor.txtSlotNumber->text(), QStringLiteral("4"));
    }

    // A new employee starts with the default picture; one that cannot be shown
    // is reported, and the employee can be entered all the same.
    void aNewEmployeeShowsTheDefaultPicture_data()
    {
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("report");
        // clang-format off
        QTest::newRow("a picture") << "default.png" << "";
        QTest::newRow("none named") << "" << "";
        QTest::newRow("missing") << "missing.png" << "File not found: %1(53)";
        QTest::newRow("no picture") << "notes.png" << "Invalid picture: %1(5)";
        // clang-format on
    }

    void aNewEmployeeShowsTheDefaultPicture()
    {
        QFETCH(QString, fallback);
        QFETCH(QString, report);
        picture(QStringLiteral("default.png"), Qt::red);
        QFile notes(env->file(QStringLiteral("notes.png")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("not a picture");
        notes.close();
        const QString path = fallback.isEmpty() ? QString() : env->file(fallback);
        appState().DefaultPictureFile = path;
        frmDetails& editor = open(true);
        if (report.isEmpty()) {
            QVERIFY(boxTexts().isEmpty());
        } else {
            QCOMPARE(boxTexts(), QStringList{QStringLiteral("Funcion error#: 377\r") + report.arg(path)});
            QCOMPARE(env->prompts.boxes.first().title, QStringLiteral("Warning"));
        }
        QCOMPARE(editor.EmpImage->picture().isNull(), fallback != QLatin1String("default.png"));
        enter(editor, editor.txtUserNum, QStringLiteral("8"));
        editor.ToolbarButton[1]->trigger();
        QCOMPARE(employees(), 1);
    }

    // The editor stays above the list it was opened from, in the middle of it,
    // at the size its layout gives it.
    void theEditorOpensOverTheList()
    {
        frmEmployees& list = FormInstance<frmEmployees>::get();
        list.showModeless(nullptr);
        list.move(60, 150);
        QRect shown;
        QSize size;
        QSize wanted;
        const QWindow* owner = nullptr;
        env->modalSteps.enqueue([&](Form& form) {
            shown = form.frameGeometry();
            size = form.size();
            wanted = form.sizeHint();
            owner = form.windowHandle()->transientParent();
            form.unloadForm();
        });
        list.cmdNew_Click();
        QCOMPARE(env->modalWindows, QStringList{"frmDetails"});
        QCOMPARE(owner, list.windowHandle());
        QCOMPARE(size, wanted);
        const QRect screen = list.screen()->availableGeometry();
        QVERIFY2(
            screen.contains(shown),
            qPrintable(
                QStringLiteral("%1,%2 %3x%4").arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())));
        QVERIFY((shown.center() - list.frameGeometry().center()).manhattanLength() <= 3);
    }

    void theSheetPrintsWhatTheEditorShows()
    {
        addEmployee(7, QStringLiteral("Ann"), QStringLiteral("Smith"));
        frmDetails& editor = open(false, 7);
        editor.txtFirstName->setText(QStringLiteral("Anne"));
        PrintRecord record;
        env->printDialogs.answerRecording(record);
        editor.ToolbarButton[4]->trigger();
        QCOMPARE(env->printDialogs.flagsShown, QList<int>{2368});
        QVERIFY(record.find(QStringLiteral("Smith Anne")));
        QCOMPARE(record.documentName, QStringLiteral("Smith Anne"));
        QCOMPARE(record.documentsEnded, 1);
        QVERIFY(record.drawnBesideTheWindow);
        // Cancelled, nothing is printed and nothing said.
        editor.ToolbarButton[4]->trigger();
        QCOMPARE(record.documentsBegun, 1);
        QVERIFY(boxTexts().isEmpty());
    }
};

QTEST_MAIN(DetailsTest)
#include "tst_details.moc"
