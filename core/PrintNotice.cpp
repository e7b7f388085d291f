#include "core/PrintNotice.h"

#include "platform/Log.h"
#include "platform/Seam.h"

namespace {

class LoggedPrintNotice final : public PrintNotice {
public:
    void show(const QString& text) override { qCInfo(lcGt430).noquote() << text; }
};

}

PrintNotice& printNotice()
{
    return Seam<PrintNotice, LoggedPrintNotice>::get();
}

void setPrintNotice(PrintNotice* replacement)
{
    Seam<PrintNotice, LoggedPrintNotice>::install(replacement);
}

void ShowPrintNotice(const QString& text)
{
    printNotice().show(text);
}
