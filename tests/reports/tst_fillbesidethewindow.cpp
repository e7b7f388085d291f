#include "app/frmMain.h"
#include "bench/AttendanceYear.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "core/ReportKind.h"
#include "platform/forms/AnimationBox.h"
#include "platform/forms/DateField.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "reports/framework/frmEmpReport.h"
#include "reports/framework/frmReportWindow.h"
#include "reports/framework/frmWorkingHours.h"
#include "tests/support/CodeReads.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ReportWindows.h"
#include "tests/support/StoredRows.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <functional>

namespace {

// The pace of the test's timers: the program's 200 ms receive timer, twenty times quicker.
constexpr int TickMs = 10;

// The door's reads stored so far: the test clock's day, which the year of the log lacks.
int doorReadsStored()
{
    return StoredRows::rows(QStringLiteral("SELECT count(*) FROM tblOnline WHERE Date_CR = '2026-03-02'"))
        .value(0)
        .value(0)
        .toInt();
}

// The window's side of a long report: a timer of the window's own that the
// unit sends a card read on at every tick, while it keeps count of how the
// window's thread kept up, until `running` no longer holds.
class WindowWatch {
public:
    // `numbered`: the reads sent so far by any watch; each read has a number and a sequence of its own.
    WindowWatch(WindowTestEnvironment& env, frmEmpReport& filter, int& numbered)
        : m_env(env), m_filter(filter), m_numbered(numbered)
    {
        m_timer.setInterval(TickMs);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
    }

    void start()
    {
        m_since.start();
        m_last = 0;
        m_timer.start();
    }
    // The time since the start; the time since the last tick counts as a gap.
    qint64 stop()
    {
        m_timer.stop();
        const qint64 now = m_since.elapsed();
        longestGapMs = std::max(longestGapMs, now - m_last);
        return now;
    }

    // Run once, at the first tick with the filter window's animation playing.
    std::function<void()> onceShowing;

    int ticks = 0;
    qint64 longestGapMs = 0;
    int sent = 0;
    // Reads sent and not stored yet, the most there were at a tick.
    int mostWaiting = 0;
    int framesSeen = 0;
    bool showing = false;

private:
    void tick()
    {
        const qint64 now = m_since.elapsed();
        longestGapMs = std::max(longestGapMs, now - m_last);
        m_last = now;
        ++ticks;
        ++sent;
        ++m_numbered;
        m_env.port->waiting += cardRead(quint32(5000 + m_numbered), uint8_t(m_numbered % 256));
        mostWaiting = std::max(mostWaiting, m_numbered - doorReadsStored());
        if (m_filter.anmAVI->isPlaying()) {
            showing = true;
            const QImage frame = m_filter.anmAVI->grab().toImage();
            if (frame != m_frame)
                ++framesSeen;
            m_frame = frame;
            if (onceShowing)
                std::exchange(onceShowing, {})();
        }
    }

    WindowTestEnvironment& m_env;
    frmEmpReport& m_filter;
    int& m_numbered;
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_last = 0;
    QImage m_frame;
};

}

// A report of a year of 500 employees, about 520 000 code reads, launched in
// the report filter window while the main window's receive timer runs at its
// (quickened) pace and the unit sends a read at every tick of a window timer.
class FillBesideTheWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowTestEnvironment> env;
    // The year's database, laid down once.
    QTemporaryDir year;

    QString yearFile() const { return year.filePath(DatabaseFileName); }

    frmEmpReport& yearFilter(int kind = ReportKinds::HoursDetails)
    {
        frmEmpReport& filter = filterFor(kind);
        filter.MaskFromDate->setDate(QDate(2025, 1, 1));
        filter.MaskToDate->setDate(QDate(2025, 12, 31));
        return filter;
    }

private slots:
    void initTestCase()
    {
        WindowTestEnvironment setUp;
        setUp.createDatabase();
        setUp.logInAsAdministrator();
        AttendanceYear::Shape shape;
        shape.employees = 500;
        QVERIFY(AttendanceYear::write(Db(), shape) > 500000);
        setUp.prompts.boxes.clear();
        FormRegistry::destroyAllForTests();
        resetAppState();
        QVERIFY(QFile::copy(setUp.file(DatabaseFileName), yearFile()));
    }

    void init()
    {
        env = std::make_unique<WindowTestEnvironment>();
        QVERIFY(QFile::copy(yearFile(), env->file(DatabaseFileName)));
        env->logInAsAdministrator();
        frmMain& main = FormInstance<frmMain>::get();
        main.ReceiveTimer->setIntervalForTests(TickMs);
        main.ReceiveTimer->setEnabled(true);
    }
    void cleanup() { env.reset(); }

    // The window's timers keep their pace all through the fill and the text
    // file made from the preview, the door's reads are stored as they come,
    // and the animation moves while the rows are computed.
    void theWindowGoesOnWhileAYearFills_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("on-line events") << ReportKinds::OnLine;
        QTest::newRow("working hours, details") << ReportKinds::HoursDetails;
    }

    void theWindowGoesOnWhileAYearFills()
    {
        QFETCH(int, kind);
        frmEmpReport& filter = yearFilter(kind);
        int reads = 0;
        WindowWatch filling(*env, filter, reads);
        WindowWatch saving(*env, filter, reads);
        qint64 fillMs = 0;
        qint64 saveMs = 0;
        const QString path = env->file(QStringLiteral("year.txt"));
        env->modalSteps.enqueue([&](Form& preview) {
            fillMs = filling.stop();
            env->saveDialogs.answer(path);
            saving.start();
            static_cast<frmReportWindow&>(preview).Toolbar1_ButtonClick(1);
            saveMs = saving.stop();
            preview.requestClose();
        });
        filling.start();
        filter.PreviewReport();
        QCOMPARE(env->modalWindows.size(), 1);
        QCOMPARE(env->prompts.texts(), QStringList{QStringLiteral("save file successful")});
        QVERIFY(fileBytes(path).count('\n') > 100000);

        QVERIFY(filling.showing);
        QVERIFY(filling.framesSeen >= 2);
        for (const auto& [watch, ms] : {std::pair(&filling, fillMs), std::pair(&saving, saveMs)}) {
            QVERIFY2(watch->longestGapMs < std::min<qint64>(500, ms / 2),
                     qPrintable(QStringLiteral("%1 ms without a tick in %2 ms").arg(watch->longestGapMs).arg(ms)));
            QVERIFY2(watch->ticks * TickMs * 4 > ms,
                     qPrintable(QStringLiteral("%1 ticks in %2 ms").arg(watch->ticks).arg(ms)));
            QVERIFY2(watch->mostWaiting <= 5, qPrintable(QStringLiteral("%1 reads waited").arg(watch->mostWaiting)));
        }
        QTRY_COMPARE(doorReadsStored(), reads);
    }

    // Closed while the rows are computed, the filter window (or the report
    // window, as the program closes it) stops the fill: no preview, an empty
    // work table, no box, and the window that was closed is gone.
    void closingDuringTheFillEndsIt_data()
    {
        QTest::addColumn<QString>("closed");
        QTest::newRow("the Close button of the filter window") << "button";
        QTest::newRow("the close box of the filter window") << "box";
        QTest::newRow("the report window") << "report";
    }

    void closingDuringTheFillEndsIt()
    {
        QFETCH(QString, closed);
        frmEmpReport& filter = yearFilter();
        const QPointer<frmEmpReport> filterWindow(&filter);
        const QPointer<frmWorkingHours> reportWindow(&FormInstance<frmWorkingHours>::get());
        int reads = 0;
        WindowWatch watch(*env, filter, reads);
        watch.onceShowing = [&] {
            if (closed == QLatin1String("button"))
                filter.ToolbarButton[5]->trigger();
            else if (closed == QLatin1String("box"))
                filter.close();
            else
                reportWindow->unloadForm();
        };
        watch.start();
        filter.PreviewReport();
        watch.stop();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watch.showing);
        QVERIFY(env->modalWindows.isEmpty());
        QVERIFY(env->prompts.boxes.isEmpty());
        QCOMPARE(StoredRows::count(QStringLiteral("tblHoursReport")), 0);
        QCOMPARE(bool(reportWindow), closed != QLatin1String("report"));
        QCOMPARE(bool(filterWindow), closed == QLatin1String("report"));
    }

    // The end of the program (View > Exit) while the rows are computed stops
    // the fill before it writes the settings row, which the fill would keep
    // waiting until it had ended.
    void theEndOfTheProgramStopsAFill()
    {
        frmEmpReport& filter = yearFilter();
        int reads = 0;
        WindowWatch watch(*env, filter, reads);
        bool ended = false;
        watch.onceShowing = [&] {
            // The database is closed once the program has ended.
            watch.stop();
            try {
                FormInstance<frmMain>::get().unloadForm();
            } catch (const ProgramEnded&) {
                ended = true;
            }
        };
        watch.start();
        filter.PreviewReport();
        QVERIFY(ended);
        QVERIFY(env->modalWindows.isEmpty());
        auto db = Database::open(env->file(DatabaseFileName), {});
        QCOMPARE(db->openSql(QStringLiteral("SELECT count(*) FROM tblHoursReport")).field(0).variant().toInt(), 0);
    }
};

QTEST_MAIN(FillBesideTheWindowTest)
#include "tst_fillbesidethewindow.moc"
