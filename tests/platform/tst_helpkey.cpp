#include "platform/widgets/HelpKey.h"
#include "tests/support/TestEnvironment.h"

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

// F1 on a window asks the help for that window's topic.
class HelpKeyTest : public QObject {
    Q_OBJECT

    static void activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }

private slots:
    void f1OpensTheWindowsTopic()
    {
        TestEnvironment env;
        QWidget window;
        auto* field = new QLineEdit(&window);
        (new QVBoxLayout(&window))->addWidget(field);
        HelpKey::install(&window, "frmOnline");
        activate(&window);
        field->setFocus();

        QTest::keyClick(field, Qt::Key_F1);
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(env.help.calls, QStringList({"topic frmOnline", "topic frmOnline"}));
    }

    void aContextNumberStandsInForTheTopicWhileSet()
    {
        TestEnvironment env;
        QWidget window;
        HelpKey::install(&window, "frmMain");
        activate(&window);
        HelpKey::setContext(&window, 1020);
        QTest::keyClick(&window, Qt::Key_F1);
        HelpKey::setContext(&window, 0);
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(env.help.calls, QStringList({"context 1020", "topic frmMain"}));
    }

    void aDialogOverAWindowOpensOnlyItsOwnTopic()
    {
        TestEnvironment env;
        QWidget window;
        HelpKey::install(&window, "frmPasswords");
        activate(&window);
        QDialog dialog(&window);
        HelpKey::install(&dialog, "frmPassword");
        HelpKey::setContext(&dialog, 9);
        activate(&dialog);
        QTest::keyClick(&dialog, Qt::Key_F1);
        QCOMPARE(env.help.calls, QStringList({"context 9"}));
    }

    // The windows' Help buttons press the key themselves.
    void pressFindsTheNearestTopic_data()
    {
        QTest::addColumn<QString>("windowTopic");
        QTest::addColumn<QString>("dialogTopic");
        QTest::addColumn<QString>("call");
        // clang-format off
        QTest::newRow("its own") << "frmEmployees" << "frmDetails" << "topic frmDetails";
        QTest::newRow("its owner's") << "frmEmployees" << "" << "topic frmEmployees";
        QTest::newRow("none at all") << "" << "" << "contents";
        // clang-format on
    }

    void pressFindsTheNearestTopic()
    {
        QFETCH(QString, windowTopic);
        QFETCH(QString, dialogTopic);
        QFETCH(QString, call);
        TestEnvironment env;
        QWidget window;
        QDialog dialog(&window);
        auto* button = new QWidget(&dialog);
        if (!windowTopic.isEmpty())
            HelpKey::install(&window, windowTopic);
        if (!dialogTopic.isEmpty())
            HelpKey::install(&dialog, dialogTopic);
        HelpKey::press(button);
        QCOMPARE(env.help.calls, QStringList({call}));
    }

    void installingAgainChangesTheTopicAndKeepsOneKey()
    {
        TestEnvironment env;
        QWidget window;
        HelpKey::install(&window, "frmLogin");
        HelpKey::install(&window, "BackAc");
        activate(&window);
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(env.help.calls, QStringList({"topic BackAc"}));
        QCOMPARE(HelpKey::topic(&window), QStringLiteral("BackAc"));
    }
};

QTEST_MAIN(HelpKeyTest)
#include "tst_helpkey.moc"
