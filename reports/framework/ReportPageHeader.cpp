#include "reports/framework/ReportPageHeader.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"

#include <cmath>
#include <vector>

namespace {

struct Heading {
    const char* text;
    int blanks;
};

// What sets one report's header apart from the others.
struct Member {
    int16_t procId;
    // Printed on every page at the top left; without one, the continuation mark on later pages.
    const char* reportName;
    bool filterLines;
    std::vector<Heading> headings;
    // For the column that begins after heading i: the output it goes to.
    std::vector<int> outputOf;
    // The blanks after the last heading end the line; otherwise the line ends after them.
    bool lastBlanksEndLine;
    int emptyLinesAfter;
    // The empty line under the title keeps the title's size.
    bool emptyLineAtTitleSize = false;
    bool noHeadings = false;
};

QString blanks(int n)
{
    return QString(n, QLatin1Char(' '));
}

void printHeader(const Member& m, Printer& printer, int16_t X, int16_t Y, const QString& Title,
                 const QString& RightText, const std::vector<int*>& outputs, bool Continued,
                 const ReportFilters& filters)
{
    guarded(m.procId, [&] {
        QString left;
        if (m.reportName)
            left = Translate(QString::fromLatin1(m.reportName));
        else if (Continued)
            left = ContinuationMark();
        PrintHeaderStart(printer, X, Y, left, RightText);

        printer.setFontUnderline(false);
        printer.setFontSize(14);
        printer.setFontBold(true);
        PrintCentredLine(printer, appState().CompanyName);
        printer.setFontUnderline(true);
        PrintCentredLine(printer, Title);
        printer.setFontUnderline(false);
        if (m.emptyLineAtTitleSize)
            printer.printLine();
        printer.setFontSize(12);
        printer.setCurrentX(X);

        if (m.filterLines && !Continued) {
            printer.printLine(Translate(QStringLiteral("Dates")) + QStringLiteral(" : ") +
                              DateTimeText::shortDate(filters.fromDate) + QStringLiteral(" - ") +
                              DateTimeText::shortDate(filters.toDate));
            printer.setFontUnderline(true);
            printer.setCurrentX(X);
            printer.printLine(Translate(QStringLiteral("Employees")) + QStringLiteral(" : ") +
                              filters.fromEmployeeText + QStringLiteral(" - ") + filters.toEmployeeText);
        }

        if (m.noHeadings) {
            printer.setCurrentX(X);
            printer.setFontUnderline(false);
            printer.printLine(blanks(10));
            return;
        }
        if (!m.emptyLineAtTitleSize)
            printer.printLine();

        printer.setCurrentX(X);
        for (size_t h = 0; h < m.headings.size(); ++h) {
            const Heading& heading = m.headings[h];
            PrintColumnHeading(printer, Translate(QString::fromLatin1(heading.text)), QString());
            printer.setFontUnderline(false);
            const bool last = h + 1 == m.headings.size();
            if (last && m.lastBlanksEndLine) {
                printer.printLine(blanks(heading.blanks));
                break;
            }
            if (heading.blanks > 0)
                printer.print(blanks(heading.blanks));
            if (last) {
                printer.printLine();
                break;
            }
            *outputs.at(static_cast<size_t>(m.outputOf[h])) = static_cast<int>(std::nearbyint(printer.currentX()));
        }
        for (int i = 0; i < m.emptyLinesAfter; ++i)
            printer.printLine();
    });
}

}

void PrintOnLineReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                             int& TimeX, int& InOutX, int& PinCardX, int& DoorActionX, bool Continued,
                             const ReportFilters& filters)
{
    static const Member m{
        1025,         nullptr, true, {{"Date", 14}, {"Time", 14}, {"In/Out", 8}, {"PIN/Card", 7}, {"Door Action", 12}},
        {0, 1, 2, 3}, false,   1};
    printHeader(m, printer, X, Y, Title, RightText, {&TimeX, &InOutX, &PinCardX, &DoorActionX}, Continued, filters);
}

void PrintExceptReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                             int& ScheduleX, int& ActualX, int& MissingX, int& GlobalX, bool Continued,
                             const ReportFilters& filters)
{
    static const Member m{
        1026,
        nullptr,
        true,
        {{"Date", 15}, {"Schedule Hours", 5}, {"Actual Hours", 5}, {"Missing Hours", 5}, {"Global Hours", 0}},
        {0, 1, 2, 3},
        false,
        1};
    printHeader(m, printer, X, Y, Title, RightText, {&ScheduleX, &ActualX, &MissingX, &GlobalX}, Continued, filters);
}

void PrintLateReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                           int& ScheduleStartX, int& ActualStartX, int& LateX, bool Continued,
                           const ReportFilters& filters)
{
    static const Member m{
        1027,      nullptr, true, {{"Date", 15}, {"Schedule Start", 5}, {"Actual Start", 5}, {"Late", 10}},
        {0, 1, 2}, true,    2};
    printHeader(m, printer, X, Y, Title, RightText, {&ScheduleStartX, &ActualStartX, &LateX}, Continued, filters);
}

void PrintMissingReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                              bool Continued, const ReportFilters& filters)
{
    static const Member m{1028, nullptr, true, {}, {}, false, 0, false, true};
    printHeader(m, printer, X, Y, Title, RightText, {}, Continued, filters);
}

void PrintHoursReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                            int& InX, int& OutX, int& SubTotalX, bool Continued, const ReportFilters& filters)
{
    static const Member m{1029,      "Working Hours - Details Report",
                          false,     {{"Date", 25}, {"In", 20}, {"Out", 20}, {"Sub Total", 10}},
                          {0, 1, 2}, true,
                          0,         true};
    printHeader(m, printer, X, Y, Title, RightText, {&InX, &OutX, &SubTotalX}, Continued, filters);
}

void PrintUnauthReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                             int& TimeX, int& NameX, int& SlotX, int& CodeX, int& DoorActionX, int& ReasonX,
                             bool Continued, const ReportFilters& filters)
{
    // The column after "Reason" is "Name", handed back second.
    static const Member m{
        1030,
        nullptr,
        true,
        {{"Date", 15}, {"Time", 5}, {"Slot#", 3}, {"Code#", 15}, {"Door Action", 5}, {"Reason", 15}, {"Name", 0}},
        {0, 2, 3, 4, 5, 1},
        false,
        0};
    printHeader(m, printer, X, Y, Title, RightText, {&TimeX, &NameX, &SlotX, &CodeX, &DoorActionX, &ReasonX}, Continued,
                filters);
}

void PrintTotalReportHeader(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& RightText,
                            int& ActualX, int& GlobalX, bool Continued, const ReportFilters& filters)
{
    static const Member m{1031,   "Working Hours - Total Report",
                          false,  {{"Date", 20}, {"Actual Hours", 10}, {"Global Hours", 10}},
                          {0, 1}, true,
                          0};
    printHeader(m, printer, X, Y, Title, RightText, {&ActualX, &GlobalX}, Continued, filters);
}
