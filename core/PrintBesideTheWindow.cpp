#include "core/PrintBesideTheWindow.h"

#include "core/BesideTheWindow.h"
#include "core/Messages.h"
#include "core/PrintNotice.h"
#include "platform/BusyPointer.h"
#include "platform/printing/Printer.h"

#include <QObject>
#include <optional>

void PrintBesideTheWindow(const ChosenPrinter& chosen, const std::function<void(Printer&)>& compose)
{
    PrintNotice& notice = printNotice();
    std::optional<BusyPointer> busy(std::in_place);
    notice.open(Translate(QStringLiteral("Page is Printing")));
    // Lives on the window's thread: the notice's texts are queued to it, and
    // those still on their way when it goes are dropped with it.
    QObject texts;
    std::optional<QString> last;
    try {
        RunBesideTheWindowThen(
            [&] {
                PrintNoticeFromThisThread sink([&texts, &notice](const QString& text) {
                    QMetaObject::invokeMethod(
                        &texts, [&notice, text] { notice.setText(text); }, Qt::QueuedConnection);
                });
                Printer printer(chosen.makeDevice());
                compose(printer);
                last = sink.lastText();
            },
            [&](bool reportsFollow) {
                busy.reset();
                if (!last || reportsFollow)
                    notice.close();
            });
    } catch (...) {
        busy.reset();
        notice.close();
        throw;
    }
    if (last)
        notice.show(*last);
}
