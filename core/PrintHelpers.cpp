#include "core/PrintHelpers.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/ReportKind.h"
#include "platform/printing/Printer.h"
#include "platform/text/DateTimeText.h"

bool CheckNewPage(int16_t& Lines)
{
    bool full = false;
    guarded(1020, [&] {
        if (Lines > 46) {
            full = true;
            Lines = 1;
        }
        ++Lines;
    });
    return full;
}

QString PagePrintingMsg()
{
    QString text;
    guarded(1021, [&] {
        const int16_t pages = appState().PrintedPage;
        // A number written with the blank that stands for its sign.
        const QString number = pages < 0 ? QString::number(pages) : QLatin1Char(' ') + QString::number(pages);
        text = number + QLatin1Char(' ') + Translate(QStringLiteral("Page is Printing")) + QLatin1Char(' ');
    });
    return text;
}

void PrintPageFooter(Printer& printer, int16_t X)
{
    guarded(1022, [&] {
        printer.setCurrentX(X);
        printer.setCurrentY(printer.scaleHeight() - 2 * printer.textHeight(QStringLiteral("W")));
        printer.setFontUnderline(false);
        printer.setFontSize(10);
        if (ReportKind == 3 || ReportKind == 6) {
            printer.setCurrentX(X);
            printer.printLine(QStringLiteral("(*) ") + Translate(QStringLiteral("Incompleted Data")));
        }
        printer.setCurrentX(X);
        printer.print(QStringLiteral("Page : ") + QString::number(printer.page()));
        appState().PrintedPage = printer.page();
        const QString& footer = appState().FooterText;
        printer.setCurrentX(printer.scaleWidth() - printer.textWidth(footer));
        printer.printLine(footer);
        printer.setFontSize(12);
    });
}

void PrintColumnHeading(Printer& printer, const QString& Text, const QString& FontName)
{
    guarded(1023, [&] {
        const QString name = FontName.trimmed();
        if (!name.isEmpty())
            printer.setFontName(name);
        printer.setFontBold(true);
        printer.setFontUnderline(true);
        printer.print(Text);
        printer.setFontBold(false);
        printer.setFontUnderline(false);
    });
}

QString PrintedAtText(const QDateTime& now)
{
    return Translate(QStringLiteral("Printed at: ")) + DateTimeText::shortDate(now.date()) + QLatin1Char(' ') +
           now.time().toString(QStringLiteral("HH:mm"));
}

QString ContinuationMark()
{
    return Translate(QStringLiteral("Continue")) + QStringLiteral(" --- ");
}

void PrintHeaderStart(Printer& printer, double X, double Y, const QString& left, const QString& right)
{
    printer.setCurrentX(X);
    printer.setCurrentY(Y);
    printer.setFontSize(10);
    printer.setFontName(QStringLiteral("Arial"));
    printer.setFontBold(false);
    printer.setFontUnderline(false);
    if (!left.isEmpty())
        printer.print(left);
    printer.setCurrentX(printer.scaleWidth() - printer.textWidth(right));
    if (!right.isEmpty())
        printer.printLine(right);
}

void PrintCentredLine(Printer& printer, const QString& text)
{
    printer.setCurrentX(printer.scaleWidth() / 2 - printer.textWidth(text) / 2);
    printer.printLine(text);
}

void PrintRow(Printer& printer, const QList<PrintColumn>& columns)
{
    for (qsizetype c = 0; c < columns.size(); ++c) {
        printer.setCurrentX(columns[c].x);
        if (c + 1 < columns.size())
            printer.print(columns[c].text);
        else
            printer.printLine(columns[c].text);
    }
}
