#include "core/AppState.h"
#include "core/Messages.h"
#include "core/SharedLookups.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "tests/support/TestEnvironment.h"

#include <QtTest>

class MessagesTest : public QObject {
    Q_OBJECT

private slots:
    void theCommonErrorReport()
    {
        TestEnvironment env;
        BinaryDict().setContents(MldFile::parse(QStringLiteral("LANGUAGES\tEnglish\tDeutsch\nWarning\tWarnung\n")));
        BinaryDict().setLanguage(1);
        ReportError(2904, AppError(3024, QStringLiteral("Could not find file 'x'.")));
        QCOMPARE(env.prompts.boxes.size(), 1);
        const RecordingPrompts::Box& box = env.prompts.boxes.first();
        QCOMPARE(box.text, QStringLiteral("Funcion error#: 2904\rCould not find file 'x'.(3024)"));
        QCOMPARE(box.title, QStringLiteral("Warnung"));
        QCOMPARE(box.kind, 0);
        QCOMPARE(appState().MsgText, box.text);
    }

    void theReportNamesTheProcedureThatFailed()
    {
        TestEnvironment env;
        guarded(451, [] {
            Recordset nothing;
            FindRecord(nothing, QStringLiteral("1 = 1")); // reports 2908 itself, leaving ProcId behind
            raiseError(Err::NoCurrentRecord);
        });
        QCOMPARE(env.prompts.boxes.size(), 2);
        QVERIFY(env.prompts.boxes[0].text.startsWith(QStringLiteral("Funcion error#: 2908\r")));
        QCOMPARE(env.prompts.boxes[1].text, QStringLiteral("Funcion error#: 451\rNo current record.(3021)"));
    }

    void boxesKeepTheirTextAndAnswer()
    {
        TestEnvironment env;
        env.prompts.answers.enqueue(MsgBox::Yes);
        QVERIFY(AskYes(QStringLiteral("Delete?")));
        QCOMPARE(appState().MsgResult, MsgBox::Yes);
        QVERIFY(!AskYes(QStringLiteral("Again?")));
        QCOMPARE(appState().MsgResult, MsgBox::No);
        ShowNotice(QStringLiteral("Done"));
        const RecordingPrompts::Box& notice = env.prompts.boxes.last();
        QCOMPARE(notice.title, QStringLiteral("GT-430"));
        QCOMPARE(notice.kind, MsgBox::KindNotice);
        QCOMPARE(appState().MsgText, QStringLiteral("Done"));
    }

    // A question about changes not stored: Yes saves, Cancel (Esc and the box's
    // close box answer so) stays, anything else drops them. A confirmation
    // takes only Yes. Questions show the program's name, as its notices do.
    void questionsAndTheirAnswers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("toSave"); // SaveAnswer
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << int(MsgBox::Yes) << int(SaveAnswer::Save) << true;
        QTest::newRow("No") << int(MsgBox::No) << int(SaveAnswer::Discard) << false;
        QTest::newRow("Cancel") << int(MsgBox::Cancel) << int(SaveAnswer::Stay) << false;
        QTest::newRow("OK") << int(MsgBox::Ok) << int(SaveAnswer::Discard) << false;
    }

    void questionsAndTheirAnswers()
    {
        QFETCH(int, answer);
        QFETCH(int, toSave);
        QFETCH(bool, yes);
        TestEnvironment env;
        env.prompts.answers.enqueue(answer);
        QCOMPARE(int(AskToSave(QStringLiteral("Save?"))), toSave);
        env.prompts.answers.enqueue(answer);
        QCOMPARE(AskYes(QStringLiteral("Delete?")), yes);
        QCOMPARE(env.prompts.boxes.size(), 2);
        for (const RecordingPrompts::Box& box : env.prompts.boxes) {
            QCOMPARE(box.title, QStringLiteral("GT-430"));
            QCOMPARE(box.kind, MsgBox::KindQuestion);
            QCOMPARE(box.buttons, 67);
        }
    }
};

QTEST_GUILESS_MAIN(MessagesTest)
#include "tst_messages.moc"
