#include "app/JoinSubsystems.h"
#include "app/forms/JoinSubsystemWindows.h"
#include "app/frmMain.h"
#include "core/MainDatabase.h"
#include "core/OneCopyPerFolder.h"
#include "core/frmPrint.h"
#include "core/frmSplash.h"
#include "platform/EndSignals.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFonts.h"
#include "platform/Prompts.h"
#include "platform/forms/FormRegistry.h"
#include "platform/widgets/WindowServices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    ProgramFonts::install();
    QApplication application(argc, argv);
    // The program ends where its windows say so, not when the last one is hidden.
    QApplication::setQuitOnLastWindowClosed(false);
    JoinSubsystems();
    KeepWhatWaitsInAJournal();
    JoinSubsystemWindows();
    UseWindowServices();
    static WindowPrintNotice printNotice;
    setPrintNotice(&printNotice);
    ProvideMainWindow();
    setProgramEndCleanup([] {
        if (frmMain* main = FormInstance<frmMain>::find())
            main->CloseThePort();
        CloseMainDatabase();
    });
    // A shutdown, a logout or Ctrl-C ends the program as View > Exit does.
    EndSignals::install([] { return !MainDatabaseAway(); },
                        [](int) {
                            // Nobody may be at the screen to close a box: what goes wrong goes to the log.
                            setPrompts(nullptr);
                            if (frmMain* main = FormInstance<frmMain>::find())
                                main->EndAsExit();
                            endProgram();
                        });
    // Before anything is read or written: a second copy leaves the folder to the first.
    if (!TakeProgramFolder())
        return ExitStatus::AlreadyRunning;
    FormInstance<frmSplash>::get().showModeless(nullptr);
    return application.exec();
}
