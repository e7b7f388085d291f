#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/ReportKind.h"
#include "platform/forms/FormRegistry.h"
#include "reports/events/frmUnautorizedReport.h"
#include "reports/framework/frmEmpReport.h"
#include "tests/support/ReportWindows.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

namespace {

QStringList toolbarTexts(const frmReportWindow& window)
{
    QStringList texts;
    for (int b = 1; b <= 4; ++b)
        texts << window.ToolbarButton[b]->text();
    return texts;
}

}

// The language chosen in the options reaches every window: those on screen at
// once, those made earlier and shown later when they are shown.
class LanguageSwitchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    frmMain& openMain()
    {
        env->logInAsAdministrator();
        frmMain& main = FormInstance<frmMain>::get();
        main.showModeless(nullptr);
        return main;
    }

    // Tools > Options..., Language, the language chosen; `inOptions` looks at
    // the options window while it is still open.
    void switchInTheOptions(frmMain& main, int language, const std::function<void(frmOptions&)>& inOptions)
    {
        env->prompts.languageChoices.enqueue(language);
        env->modalSteps.enqueue([&inOptions](Form& form) {
            auto& options = static_cast<frmOptions&>(form);
            options.cmdSetup[1]->click();
            inOptions(options);
            options.requestClose();
        });
        main.mnuOpt_Click();
        QCOMPARE(appState().LanguageIndex, int16_t(language));
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        env->createDatabase();
    }
    void cleanup() { env.reset(); }

    void theWindowsOnScreenFollowAtOnce()
    {
        frmMain& main = openMain();
        frmEmpReport& filter = FormInstance<frmEmpReport>::get();
        filter.showModeless(nullptr);
        filter.cmdSelectAll_Click(); // a caption the window sets itself, in English
        QCOMPARE(filter.cmdSelectAll->text(), QStringLiteral("Select All Employees"));

        QStringList optionsTexts;
        switchInTheOptions(main, 1, [&](frmOptions& options) {
            optionsTexts =
                QStringList{options.windowTitle(), options.SSTab1->tabText(1), options.cmdSetupCancel->text()};
        });
        QCOMPARE(optionsTexts, (QStringList{" Optionen", "Sprache", "Schließen"}));
        QCOMPARE(filter.windowTitle(), QStringLiteral("Berichte"));
        QCOMPARE(filter.ToolbarButton[1]->text(), QStringLiteral("Vorschau"));
        QCOMPARE(filter.Option1[ReportKinds::Unauthorized]->text(), QStringLiteral("Unbe&rechtigt"));
        QCOMPARE(filter.cmdSelectAll->text(), QStringLiteral("Alle Mitarbeiter wählen"));

        // Back to English; the caption the window set in German goes back too.
        filter.cmdSelectAll_Click();
        QCOMPARE(filter.cmdSelectAll->text(), QStringLiteral("Alle Mitarbeiter entfernen"));
        switchInTheOptions(main, 0, [&](frmOptions& options) {
            optionsTexts =
                QStringList{options.windowTitle(), options.SSTab1->tabText(1), options.cmdSetupCancel->text()};
        });
        QCOMPARE(optionsTexts, (QStringList{" Options", "Language", "Close"}));
        QCOMPARE(filter.windowTitle(), QStringLiteral("Reports"));
        QCOMPARE(filter.ToolbarButton[1]->text(), QStringLiteral("Preview"));
        QCOMPARE(filter.cmdSelectAll->text(), QStringLiteral("Remove All Employees"));
    }

    // Save made the report's window and the dialog was cancelled; after the
    // switch, Preview shows that window in the new language, grid and all.
    void aWindowMadeBeforeTheSwitchShowsTheNewLanguage()
    {
        frmMain& main = openMain();
        Db().execute(QStringLiteral("INSERT INTO tblOnline (Employee_Number, Date_CR, Time_CR, iIn, iCard, iDoor, "
                                    "iReason, SlotNumber, CardNum) VALUES (-1, '2026-02-27', '07:00:00', 1, 1, 1, 3, "
                                    "0, '1000001')"));
        frmEmpReport& filter = FormInstance<frmEmpReport>::get();
        filter.showModeless(nullptr);
        filter.Option1[ReportKinds::Unauthorized]->click();
        env->saveDialogs.answerCancel();
        filter.SaveReport();
        QVERIFY(FormInstance<frmUnautorizedReport>::exists());
        QVERIFY(!FormInstance<frmUnautorizedReport>::get().isVisible());

        switchInTheOptions(main, 1, [](frmOptions&) {});
        QString title;
        QStringList toolbar;
        QString firstHeader;
        env->modalSteps.enqueue([&](Form& form) {
            auto& report = static_cast<frmReportWindow&>(form);
            title = report.windowTitle();
            toolbar = toolbarTexts(report);
            firstHeader = shownHeaders(report).value(0);
            report.requestClose();
        });
        filter.PreviewReport();
        QCOMPARE(env->modalWindows.last(), QStringLiteral("frmUnautorizedReport"));
        QCOMPARE(title, QStringLiteral("Bericht über unberechtigten Zutritt"));
        QCOMPARE(toolbar, (QStringList{"Speichern", "Drucken", "Hilfe", "   Schließen   "}));
        QCOMPARE(firstHeader, QStringLiteral("Datum"));
    }
};

QTEST_MAIN(LanguageSwitchTest)
#include "tst_languageswitch.moc"
