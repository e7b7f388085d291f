#include "core/IniSettings.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PasswordFile.h"
#include "core/ProgramFiles.h"
#include "platform/ProgramFolder.h"

namespace {

const QString iniTable = QStringLiteral("tblIni");

std::function<void()>& startStateReset()
{
    static std::function<void()> reset;
    return reset;
}

// A setting without a value keeps the value it had.
template <class Step>
void skipNull(Step&& step)
{
    try {
        step();
    } catch (const AppError& error) {
        if (error.number() != Err::InvalidUseOfNull)
            throw;
    }
}

void readSettingsRow()
{
    AppState& s = appState();
    Recordset rs = Db().openTable(iniTable);
    if (rs.recordCount() == 0)
        return;
    rs.moveFirst();
    skipNull([&] { s.IniText0 = rs.field(0).toText(); });
    skipNull([&] { s.PictureFolder = rs.field(1).toText(); });
    skipNull([&] { s.DefaultPictureFile = rs.field(2).toText(); });
    skipNull([&] {
        s.LanguageIndex = rs.field(3).toInt16();
        if (s.LanguageIndex > 10 || s.LanguageIndex < -1)
            s.LanguageIndex = 2;
    });
    skipNull([&] { s.CommPortIndex = rs.field(4).toInt16(); });
    rs.close();
}

}

QString footerCopyright()
{
    return QChar(0xA9) + QStringLiteral(" GT-430 Access Control. All rights reserved.");
}

void LoadIniSettings()
{
    enterProcedure(973);
    AppState& s = appState();
    if (startStateReset())
        startStateReset()();
    s.CommOpened = false;
    try {
        readSettingsRow();
    } catch (const AppError& error) {
        ReportError(973, error);
    }
    s.PasswordFilePath = AddBackslash(ProgramFolder::path()) + QStringLiteral("setting.dat");
    s.FooterText = footerCopyright();
    LoadPasswords();
    s.PrintTopLines = 2;
}

void setStartStateReset(std::function<void()> reset)
{
    startStateReset() = std::move(reset);
}

void SaveIniSettings()
{
    guarded(979, [] {
        const AppState& s = appState();
        Recordset rs = Db().openTable(iniTable);
        if (rs.recordCount() == 0)
            return;
        rs.moveFirst();
        rs.edit();
        rs.setField(0, s.IniText0);
        rs.setField(1, s.PictureFolder);
        rs.setField(2, s.DefaultPictureFile);
        rs.setField(3, s.LanguageIndex);
        rs.setField(4, s.CommPortIndex);
        rs.setField(5, 0);
        rs.update();
        rs.close();
    });
}
