#include "employees/EmployeeSheetPrint.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PrintHelpers.h"
#include "core/Printout.h"
#include "platform/Clock.h"
#include "platform/PictureFit.h"
#include "platform/printing/Printer.h"
#include "platform/text/VbText.h"

#include <cmath>

namespace {

constexpr double PictureWidth = 2250;
constexpr double FrameHeight = 3000;

int whole(double twips)
{
    return static_cast<int>(std::nearbyint(twips));
}

void PrintDetailsPageHeader(Printer& printer, const QString& Title, const QString& RightText)
{
    guarded(383, [&] {
        PrintHeaderStart(printer, 300, printer.currentY() + 100, QString(), RightText);
        printer.setFontUnderline(true);
        printer.setFontSize(14);
        printer.setFontBold(true);
        PrintCentredLine(printer, Title);
        printer.printLine();
    });
}

void PrintFieldValue(Printer& printer, const QString& Label, const QString& Value, int X)
{
    guarded(384, [&] {
        // An input mask nobody filled is no value.
        const bool unfilled = Value == QLatin1String("__-__-__") || Value == QLatin1String("__/__/__") ||
                              Value == QLatin1String("__-___-__");
        printer.setCurrentX(X);
        PrintColumnHeading(printer, Label + QStringLiteral(" :"), QString());
        printer.setFontBold(true);
        printer.print(QStringLiteral("  ") + (unfilled ? QString() : Value));
    });
}

void endLines(Printer& printer, int count)
{
    for (int i = 0; i < count; ++i)
        printer.printLine();
}

}

QString ReplaceLineBreaks(const QString& text)
{
    QString result;
    guarded(382, [&] {
        result = text;
        result.replace(QLatin1Char('\r'), QLatin1Char(' '));
        result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    });
    return result;
}

void PrintDetailsSheet(Printer& printer, const EmployeeSheet& sheet)
{
    guarded(381, [&] {
        PrintoutLayout layout;
        layout.footerX = 300;
        double T = 0;
        double P = 0;
        double E = 0;
        double X0 = 300;
        const double W = printer.scaleWidth();
        layout.afterLastFooter = [&] {
            printer.printLine();
            printer.setDrawWidth(4);
            const double right = W - 300;
            printer.drawLine(X0, T, right, T);
            printer.drawLine(X0, T + FrameHeight, right, T + FrameHeight);
            printer.drawLine(X0, T, X0, T + FrameHeight);
            printer.drawLine(right, T, right, T + FrameHeight);
            printer.drawLine(300, P, right, P);
            printer.drawLine(300, E, right, E);
            printer.drawLine(300, P, 300, E);
            printer.drawLine(right, P, right, E);
        };
        const QString printedAt = PrintedAtText(programClock().now());
        const QString title = VbText::trim(sheet.lastName) + QLatin1Char(' ') + VbText::trim(sheet.firstName);
        printer.setDocumentName(title);
        Printout printout(
            printer,
            [&](bool) {
                endLines(printer, appState().PrintTopLines + 1);
                PrintDetailsPageHeader(printer, title, printedAt);
            },
            layout);

        printer.setFontSize(12);
        const QString factory = Translate(QStringLiteral("Factory Details:"));
        PrintCentredLine(printer, factory);
        printer.printLine();

        double D = 0;
        T = whole(printer.currentY());
        if (!VbText::trim(sheet.pictureFile).isEmpty()) {
            printer.setCurrentX(300);
            // The picture keeps its shape within its frame.
            const QRectF shown = fitKeepingShape(sheet.picture.size(), QRectF(300, T, PictureWidth, FrameHeight));
            printer.paintPicture(sheet.picture, shown.x(), shown.y(), shown.width(), shown.height());
            X0 = 2850;
            D = PictureWidth / 2;
        }
        endLines(printer, 2);

        const int left = whole(X0 + 300);
        const int right = whole(W / 2 + D);
        PrintFieldValue(printer, Translate(QStringLiteral("Employee No.")), VbText::trim(sheet.number), left);
        PrintFieldValue(printer, Translate(QStringLiteral("Position")), VbText::trim(sheet.position), right);
        endLines(printer, 2);
        PrintFieldValue(printer, Translate(QStringLiteral("Employment Date")), sheet.employmentDate, left);
        PrintFieldValue(printer, Translate(QStringLiteral("Position Date")), sheet.positionDate, right);
        endLines(printer, 2);

        printer.setCurrentY(T + FrameHeight);
        printer.printLine();
        const QString personal = Translate(QStringLiteral("Personal Details:"));
        printer.setCurrentX(W / 2 - printer.textWidth(personal) / 2);
        printer.setFontUnderline(true);
        printer.printLine(personal);
        printer.setFontUnderline(false);
        printer.setFontSize(12);
        printer.printLine();
        P = whole(printer.currentY());
        printer.printLine();

        const int half = whole(W / 2);
        PrintFieldValue(printer, Translate(QStringLiteral("Id Number")), sheet.idNumber, 600);
        PrintFieldValue(printer, Translate(QStringLiteral("Birth Date")), sheet.birthDate, half);
        endLines(printer, 3);
        PrintFieldValue(printer, Translate(QStringLiteral("Gender")), sheet.gender, 600);
        PrintFieldValue(printer, Translate(QStringLiteral("Family Status")), sheet.familyStatus, half);
        endLines(printer, 3);
        PrintFieldValue(printer, Translate(QStringLiteral("Address:")), ReplaceLineBreaks(sheet.address), 600);
        endLines(printer, 4);
        PrintFieldValue(printer, Translate(QStringLiteral("Phone#1:")), sheet.phone1, 600);
        PrintFieldValue(printer, Translate(QStringLiteral("Phone#2:")), sheet.phone2, half);
        endLines(printer, 3);
        PrintFieldValue(printer, Translate(QStringLiteral("Email:")), sheet.email, 600);
        endLines(printer, 2);
        E = whole(printer.currentY());

        printout.finish();
    });
}
