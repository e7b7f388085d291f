#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/LanguageDialog.h"
#include "platform/widgets/WidgetPrompts.h"
#include "tests/support/TestEnvironment.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {

QString shown(QAbstractButton* button)
{
    return button ? button->text().remove(QLatin1Char('&')) : QStringLiteral("(no button)");
}

}

// The buttons Qt draws itself speak the program's language.
class StandardButtonsTest : public QObject {
    Q_OBJECT

private slots:
    void theBoxesButtons_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("question"); // Yes, No, Cancel
        QTest::addColumn<QString>("ok");
        QTest::newRow("English") << 0 << QStringList{"Yes", "No", "Cancel"} << "OK";
        QTest::newRow("German") << 1 << QStringList{"Ja", "Nein", "Abbrechen"} << "OK";
        QTest::newRow("back to English") << 0 << QStringList{"Yes", "No", "Cancel"} << "OK";
    }

    void theBoxesButtons()
    {
        QFETCH(int, language);
        QFETCH(QStringList, question);
        QFETCH(QString, ok);
        TestEnvironment env;
        BinaryDict().setLanguage(static_cast<int16_t>(language));
        const auto ask = WidgetPrompts::makeMessageBox(QStringLiteral("?"), QString(), MsgBox::KindQuestion, 67);
        QCOMPARE(shown(ask->button(QMessageBox::Yes)), question[0]);
        QCOMPARE(shown(ask->button(QMessageBox::No)), question[1]);
        QCOMPARE(shown(ask->button(QMessageBox::Cancel)), question[2]);
        const auto warn = WidgetPrompts::makeMessageBox(QStringLiteral("!"), QString(), MsgBox::KindWarning, 4);
        QCOMPARE(shown(warn->button(QMessageBox::Ok)), ok);

        LanguageDialog dialog(QStringLiteral("Change Language"), {QStringLiteral("English"), QStringLiteral("Deutsch")},
                              language);
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(shown(buttons->button(QDialogButtonBox::Cancel)), question[2]);
    }
};

QTEST_MAIN(StandardButtonsTest)
#include "tst_standardbuttons.moc"
