#include "app/frmOptions.h"
#include "core/frmPasswords.h"
#include "platform/forms/FormRegistry.h"
#include "platform/translation/BinaryDictionary.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QFontMetrics>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

// A German user sees the windows' captions whole.
class GermanWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;

    template <class Window>
    static QWidget* open()
    {
        Window& window = FormInstance<Window>::get();
        window.showModeless(nullptr);
        QCoreApplication::processEvents();
        return &window;
    }

private slots:
    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        BinaryDict().setDictionaryFile(env->file(QStringLiteral("GT430.mld")));
        BinaryDict().setLanguage(1);
    }

    void cleanup() { env.reset(); }

    void everyTabShowsItsCaptionWhole_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("longest"); // the caption that used to be cut
        // clang-format off
        QTest::newRow("options") << "frmOptions" << "Datenbankzustand";
        QTest::newRow("passwords") << "frmPasswords" << "Techniker";
        // clang-format on
    }

    void everyTabShowsItsCaptionWhole()
    {
        QFETCH(QString, window);
        QFETCH(QString, longest);
        QWidget* shown = window == QLatin1String("frmOptions") ? open<frmOptions>() : open<frmPasswords>();
        auto* tabs = shown->findChild<QTabWidget*>();
        QVERIFY(tabs);
        QTabBar* bar = tabs->tabBar();
        QStringList captions;
        for (int i = 0; i < bar->count(); ++i) {
            captions << bar->tabText(i);
            const QRect tab = bar->tabRect(i);
            QVERIFY2(tab.left() >= 0 && tab.right() < bar->width(), qPrintable(bar->tabText(i)));
            QVERIFY2(tab.width() > bar->fontMetrics().horizontalAdvance(bar->tabText(i)), qPrintable(bar->tabText(i)));
        }
        QVERIFY2(captions.contains(longest), qPrintable(captions.join(QLatin1String(", "))));
        QVERIFY(bar->mapTo(shown, QPoint(bar->width(), 0)).x() <= shown->width());
    }
};

QTEST_MAIN(GermanWindowsTest)
#include "tst_germanwindows.moc"
