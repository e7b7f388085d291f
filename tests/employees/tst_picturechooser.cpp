#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "employees/EmployeeHandOver.h"
#include "employees/frmDetails.h"
#include "employees/frmPicture.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "tests/employees/EmployeeTestWorld.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// The picture chooser, over a folder of pictures beside the program.
class PictureChooserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    QString pictures;
    QString elsewhere;

    QString picture(const QString& folder, const QString& name)
    {
        const QString path = QDir(folder).filePath(name);
        QImage(4, 4, QImage::Format_RGB32).save(path);
        return path;
    }

    // The editor shows an employee whose own picture is `own`.
    frmPicture& openFor(const QString& own)
    {
        Db().execute(QStringLiteral("INSERT INTO tblEmployees (Employee_Number, PictureFile) VALUES (1, ?)"), {own});
        employeeHandOver().CurEmpNo = 1;
        FormInstance<frmDetails>::get();
        return showActive<frmPicture>();
    }

    static void clickFile(frmPicture& chooser, const QString& name)
    {
        const auto found = chooser.ChosenFile->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        const QRect place = chooser.ChosenFile->visualItemRect(found.first());
        QTest::mouseClick(chooser.ChosenFile->viewport(), Qt::LeftButton, {}, place.center());
    }

private slots:
    void init()
    {
        env = startAsAdministrator();
        QDir(env->folder()).mkdir(QStringLiteral("Pictures"));
        QDir(env->folder()).mkdir(QStringLiteral("elsewhere"));
        pictures = env->file(QStringLiteral("Pictures"));
        elsewhere = env->file(QStringLiteral("elsewhere"));
        picture(pictures, QStringLiteral("ann.png"));
        picture(pictures, QStringLiteral("bob.jpg"));
        QFile notes(QDir(pictures).filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        appState().PictureFolder = QStringLiteral("before");
    }

    void cleanup() { env.reset(); }

    void theEmployeesOwnPictureIsPreselected()
    {
        frmPicture& chooser = openFor(QDir(pictures).filePath(QStringLiteral("bob.jpg")));
        QCOMPARE(chooser.folderPath(), QDir(pictures).absolutePath());
        QCOMPARE(chooser.ChosenFile->count(), 2); // pictures only
        QCOMPARE(chooser.ChosenFile->currentItem()->text(), QStringLiteral("bob.jpg"));
        QVERIFY(chooser.Accept->isEnabled());
        QVERIFY(!chooser.NewImage->picture().isNull());
    }

    // A file of the same name in another folder is not the employee's picture.
    void onlyTheVeryFileIsPreselected()
    {
        frmPicture& chooser = openFor(picture(elsewhere, QStringLiteral("ann.png")));
        QVERIFY(!chooser.ChosenFile->currentItem() || !chooser.ChosenFile->currentItem()->isSelected());
        QVERIFY(!chooser.Accept->isEnabled());
        QVERIFY(chooser.NewImage->picture().isNull());
    }

    void aClickedFileIsTaken_data()
    {
        QTest::addColumn<int>("how"); // 0 Add, 1 double click, 2 Enter
        QTest::newRow("Add") << 0;
        QTest::newRow("double click") << 1;
        QTest::newRow("Enter") << 2;
    }

    void aClickedFileIsTaken()
    {
        QFETCH(int, how);
        frmPicture& chooser = openFor(QString());
        chooser.ChosenFile->setCurrentRow(0);
        chooser.ChosenFile_Click();
        if (how == 0)
            chooser.Accept->click();
        else if (how == 1)
            chooser.ChosenFile_DblClick();
        else
            QTest::keyClick(chooser.ChosenFile, Qt::Key_Return);
        QVERIFY(!FormInstance<frmPicture>::exists());
        QCOMPARE(employeeHandOver().CurPictureFile, QDir(pictures).absolutePath() + QStringLiteral("/ann.png"));
        QCOMPARE(appState().PictureFolder, QDir(pictures).absolutePath());
    }

    void cancellingChoosesNothing_data()
    {
        QTest::addColumn<int>("how"); // 0 Cancel, 1 Esc, 2 close box
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }

    void cancellingChoosesNothing()
    {
        QFETCH(int, how);
        frmPicture& chooser = openFor(QString());
        chooser.ChosenFile->setCurrentRow(0);
        chooser.ChosenFile_Click();
        if (how == 0)
            chooser.Quit->click();
        else if (how == 1)
            QTest::keyClick(chooser.ChosenFile, Qt::Key_Escape);
        else
            chooser.close();
        QVERIFY(!FormInstance<frmPicture>::exists());
        QCOMPARE(employeeHandOver().CurPictureFile, QString());
        QCOMPARE(appState().PictureFolder, QStringLiteral("before"));
    }

    void anotherFolderKeepsTheFileClickedBefore()
    {
        picture(elsewhere, QStringLiteral("cid.bmp"));
        frmPicture& chooser = openFor(QString());
        chooser.ChosenFile->setCurrentRow(0);
        chooser.ChosenFile_Click();
        chooser.setFolder(elsewhere);
        QCOMPARE(chooser.ChosenFile->count(), 1);
        QVERIFY(!chooser.Accept->isEnabled());
        QVERIFY(chooser.NewImage->picture().isNull());
        chooser.Accept_Click();
        QCOMPARE(employeeHandOver().CurPictureFile, QDir(pictures).absolutePath() + QStringLiteral("/ann.png"));
        QCOMPARE(appState().PictureFolder, QDir(elsewhere).absolutePath());
    }

    void enterWithNothingClickedTakesNothing()
    {
        frmPicture& chooser = openFor(QString());
        chooser.Accept_Click();
        QCOMPARE(employeeHandOver().CurPictureFile, QString());
        QCOMPARE(appState().PictureFolder, QDir(pictures).absolutePath());
    }

    void withoutThePicturesFolderItStartsBesideTheProgram()
    {
        QVERIFY(QDir(pictures).removeRecursively());
        frmPicture& chooser = openFor(QString());
        QCOMPARE(chooser.folderPath(), QDir(env->folder()).absolutePath());
        QCOMPARE(appState().PictureFolder, env->folder());
        QVERIFY(env->prompts.boxes.isEmpty());
    }

    // A click on a file that is no picture is reported; the preview and Add
    // stay as they were, whether a picture was previewed before or none.
    void aFileThatIsNoPictureIsReported_data()
    {
        QTest::addColumn<bool>("pictureBefore");
        QTest::newRow("a picture previewed before") << true;
        QTest::newRow("nothing chosen before") << false;
    }

    void aFileThatIsNoPictureIsReported()
    {
        QFETCH(bool, pictureBefore);
        QImage red(4, 4, QImage::Format_RGB32);
        red.fill(Qt::red);
        red.save(QDir(pictures).filePath(QStringLiteral("ann.png")));
        QFile broken(QDir(pictures).filePath(QStringLiteral("broken.png")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        frmPicture& chooser = openFor(QString());
        chooser.setFolder(pictures);
        QCOMPARE(chooser.ChosenFile->count(), 3);
        if (pictureBefore)
            clickFile(chooser, QStringLiteral("ann.png"));
        clickFile(chooser, QStringLiteral("broken.png"));
        QCOMPARE(env->prompts.boxes.size(), 1);
        QVERIFY(env->prompts.boxes.first().text.startsWith(QLatin1String("Funcion error#: 54\r")));
        QVERIFY(chooser.ChosenPath.endsWith(QLatin1String("broken.png")));
        QCOMPARE(chooser.Accept->isEnabled(), pictureBefore);
        if (pictureBefore)
            QCOMPARE(chooser.NewImage->picture().toImage().pixelColor(0, 0), QColor(Qt::red));
        else
            QVERIFY(chooser.NewImage->picture().isNull());
    }

    // The keys choose a file as a click does.
    void theKeysChooseAFile()
    {
        frmPicture& chooser = openFor(QString());
        chooser.ChosenFile->setFocus();
        QTest::keyClick(chooser.ChosenFile, Qt::Key_Down);
        QVERIFY(chooser.ChosenFile->currentItem()->isSelected());
        QVERIFY(chooser.ChosenPath.endsWith(chooser.ChosenFile->currentItem()->text()));
        QVERIFY(chooser.Accept->isEnabled());
        QVERIFY(!chooser.NewImage->picture().isNull());
        QVERIFY(env->prompts.boxes.isEmpty());
    }
};

QTEST_MAIN(PictureChooserTest)
#include "tst_picturechooser.moc"
