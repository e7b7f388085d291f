#include "platform/Prompts.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "platform/widgets/HelpWindow.h"
#include "platform/widgets/WindowHelpService.h"
#include "tests/support/HelpFixture.h"
#include "tests/support/TestEnvironment.h"

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QtTest>

// The help window over a document in the program folder.
class HelpWindowTest : public QObject {
    Q_OBJECT

    static int helpWindows()
    {
        int count = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            count += qobject_cast<HelpWindow*>(w) != nullptr;
        return count;
    }

    static QString shown(const WindowHelpService& help)
    {
        return QFileInfo(help.window()->currentPage()).fileName();
    }

private slots:
    void initTestCase()
    {
        // The offscreen platform cannot raise windows and says so every time.
        static const QtMessageHandler standard = qInstallMessageHandler(nullptr);
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                standard(type, context, text);
        });
    }

    void topicsOpenByContextAndName_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("page");
        QTest::newRow("contents") << "contents" << "contents.html";
        QTest::newRow("context 0") << "context 0" << "contents.html";
        QTest::newRow("context 9") << "context 9" << "passwords.html";
        QTest::newRow("context 1020") << "context 1020" << "support.html";
        QTest::newRow("unknown context") << "context 4242" << "contents.html";
        QTest::newRow("window") << "topic frmOnline" << "frmOnline.html";
        QTest::newRow("window without a page") << "topic frmNoSuch" << "contents.html";
    }

    void topicsOpenByContextAndName()
    {
        QFETCH(QString, call);
        QFETCH(QString, page);
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        const QString argument = call.section(' ', 1);
        if (call == "contents")
            help.showContents();
        else if (call.startsWith("context"))
            help.showContext(argument.toInt());
        else
            help.showTopic(argument);
        QVERIFY(help.window());
        QVERIFY(help.window()->isVisible());
        QVERIFY(!help.window()->isModal());
        QCOMPARE(shown(help), page);
        QVERIFY(help.window()->browser()->toPlainText().size() > 0);
        QVERIFY(env.prompts.boxes.isEmpty());
    }

    void oneWindowServesEveryCall()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        help.showContext(9);
        HelpWindow* first = help.window();
        help.showTopic("frmOnline");
        help.showIndex();
        QCOMPARE(help.window(), first);
        QCOMPARE(helpWindows(), 1);
        QCOMPARE(shown(help), QStringLiteral("frmOnline.html"));

        // Closed, it comes back as it was; the earlier page is one step back.
        first->close();
        help.showContext(1020);
        QCOMPARE(help.window(), first);
        QVERIFY(first->isVisible());
        first->browser()->backward();
        QCOMPARE(shown(help), QStringLiteral("frmOnline.html"));
    }

    void theIndexListsAndFiltersKeywords()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        help.showContext(9);
        help.window()->filterBox()->setText("tamper");
        help.showIndex();
        HelpWindow* w = help.window();
        QCOMPARE(w->filterBox()->text(), QString()); // the index starts afresh
        QCOMPARE(shown(help), QStringLiteral("passwords.html")); // and leaves the page alone
        QCOMPARE(w->keywordList()->count(), 10);

        QTest::keyClicks(w->filterBox(), "door");
        QCOMPARE(w->keywordList()->count(), 2);
        QCOMPARE(w->keywordList()->item(1)->text(), QStringLiteral("door status – Communication Setup & port"));

        const QRect second = w->keywordList()->visualItemRect(w->keywordList()->item(1));
        QTest::mouseClick(w->keywordList()->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(shown(help), QStringLiteral("frmPrpComms.html"));

        // Enter in the filter opens the first keyword left.
        w->filterBox()->clear();
        QTest::keyClicks(w->filterBox(), "tamp");
        QTest::keyClick(w->filterBox(), Qt::Key_Return);
        QCOMPARE(shown(help), QStringLiteral("frmOnline.html"));

        QTest::keyClicks(w->filterBox(), "xyz");
        QCOMPARE(w->keywordList()->count(), 0);
        QTest::keyClick(w->filterBox(), Qt::Key_Return); // nothing left to open
        QCOMPARE(shown(help), QStringLiteral("frmOnline.html"));
    }

    void theIndexAloneShowsTheContentsBeside()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        help.showIndex();
        QCOMPARE(shown(help), QStringLiteral("contents.html"));
        QCOMPARE(help.window()->keywordList()->count(), 10);
    }

    void aMissingDocumentIsReported_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("contents") << "contents";
        QTest::newRow("index") << "index";
        QTest::newRow("context") << "context";
        QTest::newRow("topic") << "topic";
    }

    void aMissingDocumentIsReported()
    {
        QFETCH(QString, call);
        TestEnvironment env;
        WindowHelpService help;
        if (call == "contents")
            help.showContents();
        else if (call == "index")
            help.showIndex();
        else if (call == "context")
            help.showContext(9);
        else
            help.showTopic("frmOnline");
        QCOMPARE(env.prompts.boxes.size(), 1);
        const RecordingPrompts::Box& box = env.prompts.boxes.first();
        QCOMPARE(box.kind, MsgBox::KindWarning);
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QCOMPARE(box.text, QStringLiteral("The help cannot be shown because this file is missing:\r") +
                               QDir(env.file("help")).filePath("contents.html"));
        QVERIFY(!help.window());
    }

    void aDocumentThatGoesAwayIsReported()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        help.showContents();
        QVERIFY(QDir(env.file("help")).removeRecursively());
        help.showTopic("frmOnline");
        QCOMPARE(env.prompts.boxes.size(), 1);
        QVERIFY(env.prompts.boxes.first().text.startsWith("The help cannot be shown because"));
    }

    void germanGetsTheGermanDocument()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        HelpFixture::write(env.file("help/de"), " (de)");
        BinaryDict().setContents(MldFile::parse("LANGUAGES\tEnglish\tDeutsch\nGT-430 Help\tGT-430 Hilfe\n"));
        WindowHelpService help;

        BinaryDict().setLanguage(1);
        help.showContext(9);
        QCOMPARE(help.window()->currentPage(), env.file("help/de/passwords.html"));
        QCOMPARE(help.window()->windowTitle(), QStringLiteral("GT-430 Hilfe"));
        QVERIFY(help.window()->keywordList()->item(0)->text().size() > 0);

        // A change of language takes effect at the next call.
        BinaryDict().setLanguage(0);
        help.showContext(9);
        QCOMPARE(help.window()->currentPage(), env.file("help/passwords.html"));
        QCOMPARE(help.window()->windowTitle(), QStringLiteral("GT-430 Help"));
    }

    void aModalDialogDoesNotBlockTheHelp()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        help.showContents(); // already open when the dialog comes
        QDialog dialog;
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(QApplication::activeModalWidget(), &dialog);

        help.showIndex();
        HelpWindow* w = help.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        // Clicked as the window system would deliver it, where modality applies.
        QWidget* list = w->keywordList()->viewport();
        const QRect first = w->keywordList()->visualItemRect(w->keywordList()->item(0));
        const QPoint at = list->mapTo(w, first.center());
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(shown(help), QStringLiteral("passwords.html")); // "Administrator"

        // Once the dialog is gone the help stays, on its own.
        dialog.close();
        help.showContents();
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowHandle()->transientParent(), nullptr);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
