#include "platform/translation/BinaryDictionary.h"
#include "platform/translation/MldFile.h"
#include "platform/widgets/FormTranslator.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// German and a third language, to see that a switch starts again from English.
const char* words = "LANGUAGES\tEnglish\tDeutsch\tPseudo\n"
                    "Login\tAnmeldung\t[Login]\n"
                    "OK\tOK\t[OK]\n"
                    "Enter Password\tPasswort eingeben\t[Enter Password]\n"
                    "Update New Password..\tNeues Passwort speichern..\t[Update]\n"
                    "Door\tTür\t[Door]\n"
                    "Holidays\tFeiertage\t[Holidays]\n"
                    "Single\tLedig\t[Single]\n"
                    "Date\tDatum\t[Date]\n"
                    "View\tAnsicht\t[View]\n"
                    "Exit\tBeenden\t[Exit]\n"
                    "Compact\tKomprimieren\t[Compact]\n"
                    "Show Help\tHilfe anzeigen\t[Show Help]\n";

struct Window {
    QWidget window;
    QLabel* label;
    QPushButton* button;
    QGroupBox* frame;
    QTabWidget* tabs;
    QComboBox* combo;
    QListWidget* list;
    QTreeWidget* tree;
    QMenuBar* menus;
    QAction* exit;
    QAction* help;

    Window()
    {
        window.setWindowTitle(QStringLiteral("Login"));
        auto* layout = new QVBoxLayout(&window);
        menus = new QMenuBar(&window);
        QMenu* view = menus->addMenu(QStringLiteral("View"));
        exit = view->addAction(QStringLiteral("Exit"));
        auto* toolbar = new QToolBar(&window);
        help = toolbar->addAction(QStringLiteral("Exit"));
        help->setToolTip(QStringLiteral("Show Help"));
        label = new QLabel(QStringLiteral("Enter Password"));
        button = new QPushButton(QStringLiteral("OK"));
        button->setToolTip(QStringLiteral("Update New Password.."));
        frame = new QGroupBox(QStringLiteral("Compact"));
        tabs = new QTabWidget;
        tabs->addTab(new QWidget, QStringLiteral("Door"));
        tabs->addTab(new QWidget, QStringLiteral("Holidays"));
        combo = new QComboBox;
        combo->addItems({QStringLiteral("Single"), QStringLiteral("7")});
        list = new QListWidget;
        list->addItem(QStringLiteral("Single"));
        tree = new QTreeWidget;
        tree->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Door")});
        for (QWidget* w : std::initializer_list<QWidget*>{toolbar, label, button, frame, tabs, combo, list, tree})
            layout->addWidget(w);
    }

    QStringList texts() const
    {
        return {window.windowTitle(),
                label->text(),
                button->toolTip(),
                frame->title(),
                tabs->tabText(0),
                tabs->tabText(1),
                combo->itemText(0),
                combo->itemText(1),
                list->item(0)->text(),
                tree->headerItem()->text(0),
                menus->actions().first()->text(),
                exit->text(),
                help->text(),
                help->toolTip()};
    }
};

}

class FormTranslatorTest : public QObject {
    Q_OBJECT

    BinaryDictionary dict;

private slots:
    void initTestCase() { dict.setContents(MldFile::parse(QString::fromUtf8(words))); }

    void translatesEveryKindOfCaption()
    {
        Window w;
        dict.setLanguage(1);
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.texts(), (QStringList{"Anmeldung", "Passwort eingeben", "Neues Passwort speichern..", "Komprimieren",
                                         "Tür", "Feiertage", "Ledig", "7", "Ledig", "Datum", "Ansicht", "Beenden",
                                         "Beenden", "Hilfe anzeigen"}));
    }

    void aSecondPassOrASwitchStartsFromEnglish()
    {
        Window w;
        dict.setLanguage(1);
        FormTranslator(dict).TranslateForm(&w.window);
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.label->text(), QStringLiteral("Passwort eingeben"));
        dict.setLanguage(2);
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.texts().first(), QStringLiteral("[Login]"));
        QCOMPARE(w.tabs->tabText(1), QStringLiteral("[Holidays]"));
        dict.setLanguage(0);
        FormTranslator(dict).TranslateForm(&w.window);
        Window english;
        QCOMPARE(w.texts(), english.texts());
    }

    void aTextSetByTheProgramBecomesTheNewKey()
    {
        Window w;
        dict.setLanguage(1);
        FormTranslator(dict).TranslateForm(&w.window);
        w.label->setText(QStringLiteral("Door"));
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.label->text(), QStringLiteral("Tür"));
        w.label->setText(QStringLiteral("Ann Smith"));
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.label->text(), QStringLiteral("Ann Smith"));
    }

    // The program set texts through the dictionary in the language of that
    // moment; a switch takes them to the new language all the same.
    void aTextSetInTheOldLanguageFollowsASwitch()
    {
        Window w;
        dict.setLanguage(1);
        FormTranslator(dict).TranslateForm(&w.window);
        w.label->setText(dict.Translate(QStringLiteral("Door")));
        w.button->setText(QStringLiteral("  ") + dict.Translate(QStringLiteral("Exit")) + QStringLiteral("  "));
        dict.setLanguage(2);
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.label->text(), QStringLiteral("[Door]"));
        QCOMPARE(w.button->text(), QStringLiteral("  [Exit]  "));
        dict.setLanguage(0);
        FormTranslator(dict).TranslateForm(&w.window);
        QCOMPARE(w.label->text(), QStringLiteral("Door"));
        QCOMPARE(w.button->text(), QStringLiteral("  Exit  "));
    }

    void aWindowIsBehindOnceTheLanguageOrTheTextsChange()
    {
        Window w;
        const FormTranslator translator(dict);
        dict.setLanguage(1);
        QVERIFY(!translator.isBehind(&w.window)); // never translated: nothing to catch up
        translator.TranslateForm(&w.window);
        QVERIFY(!translator.isBehind(&w.window));
        dict.setLanguage(1);
        QVERIFY(!translator.isBehind(&w.window));
        dict.setLanguage(2);
        QVERIFY(translator.isBehind(&w.window));
        translator.TranslateForm(&w.window);
        dict.setContents(MldFile::parse(QString::fromUtf8(words) + QStringLiteral("Login\tAnmelden\t[Log in]\n")));
        QVERIFY(translator.isBehind(&w.window));
        dict.setContents(MldFile::parse(QString::fromUtf8(words)));
    }
};

QTEST_MAIN(FormTranslatorTest)
#include "tst_formtranslator.moc"
