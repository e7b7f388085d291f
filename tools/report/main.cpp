// gt430-report: makes one report of a program folder's database without a
// screen, through the same fill and the same save or print as the report's
// window: for the benchmark and the end-to-end tests, not for the user.
//
//   gt430-report FOLDER --kind K [--employees A-B] [--dates YYYY-MM-DD..YYYY-MM-DD]
//                [--descending] (--save FILE | --pdf FILE)
//
// What is not given is as the report filter window has it after loading. On
// success it prints "rows N fill_ms F output_ms S" (N the record lines, F the
// fill's milliseconds without its pauses, S the save's or print's) and exits 0;
// when the filters match nothing it exits 3 and writes no file; on an error it
// exits 1 with the message on stderr.

#include "app/JoinSubsystems.h"
#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "platform/AppError.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/Prompts.h"
#include "platform/db/ForwardQuery.h"
#include "platform/printing/PdfPrintBackend.h"
#include "platform/printing/Printer.h"
#include "platform/translation/BinaryDictionary.h"
#include "reports/framework/DefaultSchedule.h"
#include "reports/framework/FillShow.h"
#include "reports/framework/FilterCheck.h"
#include "reports/framework/Report.h"
#include "reports/framework/ReportCatalog.h"
#include "reports/framework/ReportMayRun.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextStream>

namespace {

constexpr int ExitError = 1;
constexpr int ExitNoMatch = 3;

struct Failure {
    QString message;
};

// Every box the program would show is a failure here: its text goes to stderr.
class StderrPrompts final : public Prompts {
public:
    int messageBox(const QString& text, const QString&, int, int) override
    {
        QString line = text;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
        QTextStream(stderr) << "gt430-report: " << line << Qt::endl;
        ++shown;
        return MsgBox::Ok;
    }
    std::optional<int> chooseLanguage(const QString&, const QStringList&, int) override { return std::nullopt; }
    int shown = 0;
};

// The language the program itself would write its texts in.
void loadDictionary(const QString& folder)
{
    const QString file = QDir(folder).filePath(QStringLiteral("GT430.mld"));
    if (!QFileInfo::exists(file))
        return;
    ForwardQuery ini(Db(), QStringLiteral("SELECT Ini_Language FROM tblIni ORDER BY rowid LIMIT 1"));
    BinaryDictionary& dict = BinaryDict();
    dict.setDictionaryFile(file);
    dict.LoadDictionary();
    dict.setLanguage(static_cast<int16_t>(ini.next() && !ini.isNull(0) ? ini.integer(0) : 0));
}

// The employee range and the days as the filter window would take them: its
// fields hold only digits and its pickers only days; then its own checks.
ReportFilters filtersOf(const QCommandLineParser& args, const QDate& today)
{
    ReportFilters defaults = ReportFilters::defaults(today);
    QString from = defaults.fromEmployeeText;
    QString to = defaults.toEmployeeText;
    if (args.isSet(QStringLiteral("employees"))) {
        static const QRegularExpression range(QStringLiteral("^([0-9]+)-([0-9]+)$"));
        const auto m = range.match(args.value(QStringLiteral("employees")));
        if (!m.hasMatch() || leadingNumber(m.captured(1)) < 1)
            throw Failure{QStringLiteral("--employees wants A-B, two employee numbers from 1 to 500")};
        from = m.captured(1);
        to = m.captured(2);
    }
    QDate first = defaults.fromDate;
    QDate last = defaults.toDate;
    if (args.isSet(QStringLiteral("dates"))) {
        static const QRegularExpression days(
            QStringLiteral("^([0-9]{4}-[0-9]{2}-[0-9]{2})\\.\\.([0-9]{4}-[0-9]{2}-[0-9]{2})$"));
        const auto m = days.match(args.value(QStringLiteral("dates")));
        first = m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd")) : QDate();
        last = m.hasMatch() ? QDate::fromString(m.captured(2), QStringLiteral("yyyy-MM-dd")) : QDate();
        if (!first.isValid() || !last.isValid())
            throw Failure{QStringLiteral("--dates wants YYYY-MM-DD..YYYY-MM-DD")};
    }
    if (const auto problem = checkFilters(from, to, first, last, today))
        throw Failure{problem->message};
    return ::filtersOf(from, to, first, last,
                       args.isSet(QStringLiteral("descending")) ? SortDirection::Descending : SortDirection::Ascending);
}

int run(const QCommandLineParser& args, StderrPrompts& prompts)
{
    const QStringList positional = args.positionalArguments();
    if (positional.size() != 1)
        throw Failure{QStringLiteral("give one program folder")};
    const QString folder = positional.first();
    // One of the window's seven choices, written as its one digit.
    static const QRegularExpression oneKind(QStringLiteral("^[0-6]$"));
    if (!args.isSet(QStringLiteral("kind")) || !oneKind.match(args.value(QStringLiteral("kind"))).hasMatch())
        throw Failure{QStringLiteral("--kind wants a report kind from 0 to 6")};
    const int kind = args.value(QStringLiteral("kind")).toInt();
    if (args.isSet(QStringLiteral("save")) == args.isSet(QStringLiteral("pdf")))
        throw Failure{QStringLiteral("give either --save FILE or --pdf FILE")};
    // The reports of every subsystem, as the program has them.
    JoinSubsystems();
    const std::unique_ptr<Report> report = makeReport(kind);
    if (!report)
        throw Failure{QStringLiteral("report kind %1 is not built yet").arg(kind)};
    if (!QFileInfo::exists(QDir(folder).filePath(DatabaseFileName)))
        throw Failure{QStringLiteral("no %1 in %2").arg(DatabaseFileName, folder)};

    // The database of that folder, opened as the program opens it.
    ProgramFolder::setPathForTests(QDir(folder).absolutePath());
    OpenMainDatabase();
    if (!appState().Db || prompts.shown > 0)
        return ExitError;
    loadDictionary(folder);
    ReloadDefaultSchedule();
    const ReportFilters filters = filtersOf(args, programClock().now().date());
    // What the report windows refuse to run without.
    if (const auto missing = missingDefault(kind, appState().DefaultStartTime, appState().DefaultWorkHours))
        throw Failure{missing->message};

    QElapsedTimer timer;
    timer.start();
    NoFillShow show;
    if (!report->fill(filters, show))
        return ExitError;
    const qint64 fillMs = timer.elapsed();

    const bool save = args.isSet(QStringLiteral("save"));
    const ReportQuery rows = save ? report->saveQuery(filters) : report->printQuery(filters);
    if (!hasRows(rows))
        return ExitNoMatch;
    timer.restart();
    int written = 0;
    if (save) {
        written = writeReportFile(args.value(QStringLiteral("save")), report->textFileFor(filters), rows);
    } else {
        Printer printer(std::make_unique<PdfPrintBackend>(args.value(QStringLiteral("pdf"))));
        written = printReport(*report, printer, filters, {programClock().now(), false});
    }
    const qint64 outputMs = timer.elapsed();
    if (prompts.shown > 0)
        return ExitError;
    QTextStream(stdout) << "rows " << written << " fill_ms " << fillMs << " output_ms " << outputMs << Qt::endl;
    return 0;
}

}

int main(int argc, char* argv[])
{
    // Printing into a PDF needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser args;
    args.setApplicationDescription(QStringLiteral("Makes one GT-430 report without a screen."));
    args.addHelpOption();
    args.addPositionalArgument(QStringLiteral("FOLDER"), QStringLiteral("the program folder that holds GT430.mdb"));
    args.addOption({QStringLiteral("kind"), QStringLiteral("the report kind, 0 to 6"), QStringLiteral("K")});
    args.addOption({QStringLiteral("employees"), QStringLiteral("the employee range"), QStringLiteral("A-B")});
    args.addOption({QStringLiteral("dates"), QStringLiteral("the days"), QStringLiteral("YYYY-MM-DD..YYYY-MM-DD")});
    args.addOption({QStringLiteral("descending"), QStringLiteral("sort the days downwards")});
    args.addOption({QStringLiteral("save"), QStringLiteral("write the text file"), QStringLiteral("FILE")});
    args.addOption({QStringLiteral("pdf"), QStringLiteral("print into a PDF file"), QStringLiteral("FILE")});
    if (!args.parse(app.arguments())) {
        QTextStream(stderr) << "gt430-report: " << args.errorText() << Qt::endl;
        return ExitError;
    }
    if (args.isSet(QStringLiteral("help")))
        args.showHelp(0);

    StderrPrompts prompts;
    setPrompts(&prompts);
    int status = ExitError;
    try {
        status = run(args, prompts);
    } catch (const Failure& failure) {
        QTextStream(stderr) << "gt430-report: " << failure.message << Qt::endl;
    } catch (const AppError& error) {
        QTextStream(stderr) << "gt430-report: " << error.description() << " (" << error.number() << ")" << Qt::endl;
    }
    // The database closes before the program's globals go.
    CloseMainDatabase();
    setPrompts(nullptr);
    return status;
}
