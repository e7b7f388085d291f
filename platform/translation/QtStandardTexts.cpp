#include "platform/translation/QtStandardTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

// The German catalogue while it is in effect.
std::unique_ptr<QTranslator>& installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}

void QtStandardTexts::follow(int16_t language)
{
    if (!QCoreApplication::instance())
        return;
    const bool german = language == 1;
    std::unique_ptr<QTranslator>& current = installed();
    if (german == (current != nullptr))
        return;
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    current = std::move(translator);
}
