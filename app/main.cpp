#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/translation/BinaryDictionary.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    setProgramEndCleanup([] {
        AppState& s = appState();
        s.rsEmployees.close();
        if (s.Db)
            s.Db->close();
    });

    OpenMainDatabase();
    LoadIniSettings();
    BinaryDictionary& dict = StartDict();
    guarded(803, [&] {
        dict.setDictionaryFile(AddBackslash(ProgramFolder::path()) + QStringLiteral("GT430.mld"));
        dict.LoadDictionary();
    });
    dict.setLanguage(appState().LanguageIndex);

    QWidget window;
    window.setWindowTitle(Translate(QStringLiteral("Access Control GT-430")));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(Translate(QStringLiteral("Access Control GT-430")), &window));
    layout->addWidget(new QLabel(Translate(QStringLiteral("Ready")), &window));
    window.resize(480, 160);
    window.show();
    const int code = application.exec();
    SaveIniSettings();
    return code;
}
