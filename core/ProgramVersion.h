#pragma once

#include <QString>

// The program's version as shown: major.minor.revision, plain decimals.
inline QString programVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(GT430_VERSION_MAJOR).arg(GT430_VERSION_MINOR).arg(GT430_VERSION_PATCH);
}
