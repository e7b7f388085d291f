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
#include <QPushButton>
#include <QScrollBar>
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

    static bool copyFolder(const QString& from, const QString& to)
    {
        QDir source(from);
        if (!QDir().mkpath(to))
            return false;
        for (const QFileInfo& entry : source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QString target = QDir(to).filePath(entry.fileName());
            if (entry.isDir() ? !copyFolder(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
                return false;
        }
        return true;
    }

    static QString shown(const WindowHelpService& help) { return QFileInfo(help.window()->currentPage()).fileName(); }

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
        // clang-format off
        QTest::newRow("contents") << "contents" << "contents.html";
        QTest::newRow("context 0") << "context 0" << "contents.html";
        QTest::newRow("context 9") << "context 9" << "passwords.html";
        QTest::newRow("context 1020") << "context 1020" << "support.html";
        QTest::newRow("unknown context") << "context 4242" << "contents.html";
        QTest::newRow("window") << "topic frmOnline" << "frmOnline.html";
        QTest::newRow("window without a page") << "topic frmNoSuch" << "contents.html";
        // clang-format on
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
        QVERIFY(first->showsIndexPage());
        QVERIFY(first->backButton()->isEnabled());
        first->backButton()->click();
        QCOMPARE(shown(help), QStringLiteral("frmOnline.html"));

        // Closed, it comes back afresh: the page asked for, nothing to go back to.
        first->close();
        help.showContext(1020);
        QCOMPARE(help.window(), first);
        QVERIFY(first->isVisible());
        QCOMPARE(shown(help), QStringLiteral("support.html"));
        QVERIFY(!first->backButton()->isEnabled());
        QVERIFY(!first->browser()->isBackwardAvailable());
    }

    void aNewWindowHasNothingToGoBackTo_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("contents") << "contents";
        QTest::newRow("index") << "index";
        QTest::newRow("topic") << "topic";
    }

    void aNewWindowHasNothingToGoBackTo()
    {
        QFETCH(QString, call);
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        if (call == "contents")
            help.showContents();
        else if (call == "index")
            help.showIndex();
        else
            help.showTopic("frmOnline");
        QVERIFY(!help.window()->backButton()->isEnabled());
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
        QVERIFY(w->showsIndexPage());
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

    // Index opens on the index, also where another page was viewed last.
    void theIndexOpensOnTheIndexPage()
    {
        TestEnvironment env;
        HelpFixture::write(env.file("help"));
        WindowHelpService help;
        help.showTopic("frmPrpComms");
        help.window()->close();
        help.showIndex();
        HelpWindow* w = help.window();
        QVERIFY(w->showsIndexPage());
        QCOMPARE(w->keywordList()->count(), 10);
        const QString page = w->browser()->toPlainText();
        for (int i = 0; i < w->keywordList()->count(); ++i)
            QVERIFY2(page.contains(w->keywordList()->item(i)->text()), qPrintable(w->keywordList()->item(i)->text()));
        QVERIFY(page.indexOf(QStringLiteral("Administrator")) < page.indexOf(QStringLiteral("support")));

        // Its lines lead to their pages, and Back comes back to it.
        const QString html = w->document().indexPage(QStringLiteral("Index"));
        const QString link = QUrl::fromLocalFile(w->document().pageForTopic("passwords")).toString(QUrl::FullyEncoded);
        QVERIFY(html.contains(QStringLiteral("<a href=\"%1\">Administrator</a>").arg(link)));
        w->browser()->setSource(QUrl(link));
        QCOMPARE(shown(help), QStringLiteral("passwords.html"));
        w->backButton()->click();
        QVERIFY(w->showsIndexPage());
    }

    // The longest lines of the real index are read whole, in both languages.
    void theKeywordListIsWideEnough_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("line");
        QTest::newRow("English") << 0 << QString::fromUtf8("COM port \u2013 Communication Setup");
        QTest::newRow("German") << 1 << QString::fromUtf8("COM-Schnittstelle \u2013 Kommunikationseinstellungen");
    }

    void theKeywordListIsWideEnough()
    {
        QFETCH(int, language);
        QFETCH(QString, line);
        TestEnvironment env;
        QVERIFY(copyFolder(QStringLiteral(GT430_BUILT_HELP), env.file("help")));
        BinaryDict().setLanguage(static_cast<int16_t>(language));
        WindowHelpService help;
        help.showIndex();
        HelpWindow* w = help.window();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QListWidget* list = w->keywordList();
        QVERIFY(!list->findItems(line, Qt::MatchExactly).isEmpty());
        QVERIFY2(list->viewport()->width() >= list->sizeHintForColumn(0),
                 qPrintable(QStringLiteral("%1 < %2").arg(list->viewport()->width()).arg(list->sizeHintForColumn(0))));
        QVERIFY(!list->horizontalScrollBar()->isVisible());
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
