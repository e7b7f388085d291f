#include "platform/widgets/WidgetPrompts.h"
#include "tests/support/BoxAnswerer.h"
#include "tests/support/TestEnvironment.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <functional>

// The real boxes, answered as the user answers them, inside their own event loop.
class WidgetPromptsTest : public QObject {
    Q_OBJECT

    // Shows the box and does `answer` to it once it is up; returns the box's answer.
    static int ask(int kind, int buttons, const std::function<void(QMessageBox&)>& answer, QString* title = nullptr)
    {
        const BoxAnswerer answerer([&](QMessageBox& box) {
            if (title)
                *title = box.windowTitle();
            answer(box);
        });
        WidgetPrompts boxes;
        return boxes.messageBox(QStringLiteral("Do you want to save changes?"), QStringLiteral("GT-430"), kind,
                                buttons);
    }

private slots:
    void aQuestionsAnswers_data()
    {
        QTest::addColumn<int>("how"); // 0 Esc, 1 the close box, 2 Enter, 3 the key N
        QTest::addColumn<int>("answer");
        QTest::newRow("Esc") << 0 << MsgBox::Cancel;
        QTest::newRow("close box") << 1 << MsgBox::Cancel;
        QTest::newRow("Enter") << 2 << MsgBox::Yes;
        QTest::newRow("N") << 3 << MsgBox::No;
    }

    void aQuestionsAnswers()
    {
        QFETCH(int, how);
        QFETCH(int, answer);
        TestEnvironment env;
        QString title;
        const int got = ask(
            MsgBox::KindQuestion, 67,
            [how](QMessageBox& box) {
                switch (how) {
                case 0: QTest::keyClick(&box, Qt::Key_Escape); break;
                case 1: box.close(); break;
                case 2: QTest::keyClick(&box, Qt::Key_Return); break;
                default: QTest::keyClick(&box, Qt::Key_N); break;
                }
            },
            &title);
        QCOMPARE(got, answer);
        QCOMPARE(title, QStringLiteral("GT-430"));
    }

    // A short text leaves the title bar room for the title beside the
    // window manager's icon and three buttons (about 100 pixels), where a
    // box as narrow as its text showed "W... g".
    void aShortTextLeavesTheTitleRoom_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::newRow("warning") << "Warning"
                                 << "Invalid Port!" << MsgBox::KindWarning;
        QTest::newRow("German warning") << "Warnung"
                                        << "Ungültige Schnittstelle!" << MsgBox::KindWarning;
        QTest::newRow("notice") << "GT-430"
                                << "OK" << MsgBox::KindNotice;
        QTest::newRow("question") << "GT-430"
                                  << "?" << MsgBox::KindQuestion;
    }

    void aShortTextLeavesTheTitleRoom()
    {
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, kind);
        const auto box = WidgetPrompts::makeMessageBox(text, title, kind, MsgBox::YesNo);
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QFont bold = QApplication::font("QMdiSubWindowTitleBar");
        bold.setBold(true);
        const int titleWidth = QFontMetrics(bold).horizontalAdvance(title);
        QVERIFY2(box->width() >= titleWidth + 100,
                 qPrintable(QStringLiteral("box %1, title %2").arg(box->width()).arg(titleWidth)));
    }
};

QTEST_MAIN(WidgetPromptsTest)
#include "tst_widgetprompts.moc"
