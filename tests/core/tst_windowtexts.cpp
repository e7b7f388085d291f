#include "app/frmMain.h"
#include "app/frmOptions.h"
#include "core/frmAboutGT430.h"
#include "core/frmCompact.h"
#include "core/frmLogin.h"
#include "core/frmPassword.h"
#include "core/frmPasswords.h"
#include "core/frmSplash.h"
#include "core/widgets/BackAc.h"
#include "employees/frmDetails.h"
#include "employees/frmEmployees.h"
#include "employees/frmHoliday.h"
#include "employees/frmPicture.h"
#include "employees/frmProgramming.h"
#include "link/frmCodes.h"
#include "link/frmOnline.h"
#include "link/frmPrpComms.h"
#include "platform/forms/CommandKeys.h"
#include "platform/translation/MldFile.h"
#include "reports/events/frmExceptReport.h"
#include "reports/events/frmMissingReport.h"
#include "reports/events/frmOnlineReport.h"
#include "reports/events/frmUnautorizedReport.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/frmLateHours.h"
#include "reports/framework/frmTotalHours.h"
#include "reports/framework/frmWorkingHours.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The captions a window is designed with, before anything translates them.
QStringList captionsOf(QWidget* window)
{
    QStringList texts{window->windowTitle()};
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets << window;
    for (QWidget* w : widgets) {
        // A toolbar button shows its command's tip, with a key Qt names itself.
        const auto* tool = qobject_cast<QToolButton*>(w);
        if (!tool || !tool->defaultAction())
            texts << w->toolTip();
        if (auto* l = qobject_cast<QLabel*>(w))
            texts << l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            texts << b->text();
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            texts << g->title();
        else if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                texts << t->tabText(i);
        else if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        else if (auto* tree = qobject_cast<QTreeWidget*>(w))
            for (int i = 0; i < tree->columnCount(); ++i)
                texts << tree->headerItem()->text(i);
    }
    for (QAction* a : window->findChildren<QAction*>()) {
        texts << a->text();
        // A tip Qt made of the text is no caption of its own.
        const QString tip = CommandKeys::tipWithoutKey(a);
        if (tip != CommandKeys::tipOfCaption(a->text()))
            texts << tip;
    }
    return texts;
}

// Numbers, punctuation and blanks need no translation.
bool needsWords(const QString& text)
{
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]{2,}"));
    return letters.match(text).hasMatch();
}

}

// Every caption a window is designed with has its German text.
class WindowTextsTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionHasGerman()
    {
        const DictionaryContents dict = MldFile::load(QStringLiteral(GT430_BUILT_DICTIONARY));
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.emplace_back(new frmSplash);
        windows.emplace_back(new frmLogin);
        windows.emplace_back(new BackAc);
        windows.emplace_back(new frmMain);
        windows.emplace_back(new frmAboutGT430);
        windows.emplace_back(new frmOptions);
        windows.emplace_back(new frmPasswords);
        windows.emplace_back(new frmPassword);
        windows.emplace_back(new frmCompact);
        windows.emplace_back(new frmOnline);
        windows.emplace_back(new frmCodes);
        windows.emplace_back(new frmPrpComms);
        windows.emplace_back(new frmEmployees);
        windows.emplace_back(new frmProgramming);
        windows.emplace_back(new frmDetails);
        windows.emplace_back(new frmPicture);
        windows.emplace_back(new frmHoliday);
        windows.emplace_back(new frmEmpReport);
        windows.emplace_back(new frmWorkingHours);
        windows.emplace_back(new frmLateHours);
        windows.emplace_back(new frmTotalHours);
        windows.emplace_back(new frmOnlineReport);
        windows.emplace_back(new frmMissingReport);
        windows.emplace_back(new frmExceptReport);
        windows.emplace_back(new frmUnautorizedReport);
        QStringList missing;
        for (const auto& window : windows) {
            for (const QString& text : captionsOf(window.get())) {
                if (!needsWords(text))
                    continue;
                const QString bare = text.trimmed();
                const bool german = (dict.entries.contains(text) && !dict.entries.value(text).value(0).isEmpty()) ||
                                    (dict.entries.contains(bare) && !dict.entries.value(bare).value(0).isEmpty());
                if (!german)
                    missing << QStringLiteral("%1: \"%2\"")
                                   .arg(QString::fromLatin1(window->metaObject()->className()), text);
            }
        }
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(WindowTextsTest)
#include "tst_windowtexts.moc"
