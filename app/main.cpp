#include "app/JoinSubsystems.h"
#include "app/forms/JoinSubsystemWindows.h"
#include "app/frmMain.h"
#include "core/MainDatabase.h"
#include "core/OneCopyPerFolder.h"
#include "core/frmPrint.h"
#include "core/frmSplash.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFonts.h"
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
    JoinSubsystemWindows();
    UseWindowServices();
    static WindowPrintNotice printNotice;
    setPrintNotice(&printNotice);
    ProvideMainWindow();
    setProgramEndCleanup([] { CloseMainDatabase(); });
    // Before anything is read or written: a second copy leaves the folder to the first.
    if (!TakeProgramFolder())
        return ExitStatus::AlreadyRunning;
    FormInstance<frmSplash>::get().showModeless(nullptr);
    return application.exec();
}
