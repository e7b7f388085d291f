#include "platform/ProgramFonts.h"

#include <QFile>
#include <fontconfig/fontconfig.h>

void ProgramFonts::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QFile rule(QStringLiteral(":/fonts/gt430-fonts.conf"));
    if (!rule.open(QIODevice::ReadOnly))
        return;
    const QByteArray text = rule.readAll();
    // Added to the configuration in effect, after the system's own rules.
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(text.constData()), FcTrue);
}
