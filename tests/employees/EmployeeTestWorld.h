#pragma once

#include "core/AppState.h"
#include "core/MainDatabase.h"
#include "employees/EmployeeHandOver.h"
#include "link/LinkState.h"
#include "platform/forms/FormRegistry.h"
#include "tests/support/StoredRows.h"
#include "tests/support/WindowTestEnvironment.h"

#include <QtTest>
#include <memory>

// The world of the register's window tests: a fresh database, the
// Administrator logged in, no hand-over and no link state left from before.
inline std::unique_ptr<WindowTestEnvironment> startAsAdministrator()
{
    auto env = std::make_unique<WindowTestEnvironment>();
    env->createDatabase();
    env->logInAsAdministrator();
    employeeHandOver() = EmployeeHandOver{};
    linkState() = LinkState{};
    return env;
}

// The window, shown and active, so that the focus moves as the user moves it.
template <class Window>
Window& showActive()
{
    Window& window = FormInstance<Window>::get();
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qWarning("the window did not become active");
    return window;
}

inline QStringList boxTexts(const RecordingPrompts& prompts)
{
    QStringList texts;
    for (const RecordingPrompts::Box& box : prompts.boxes)
        texts << box.text;
    return texts;
}

// The door settings row as stored: name, the four periods, company name.
inline QStringList doorSettingsRow()
{
    return StoredRows::rows(QStringLiteral("SELECT DOOR_DESCRIPTION, MonThu_Start, MonThu_Hours, Fri_Start, Fri_Hours, "
                                           "Sat_Start, Sat_Hours, Sun_Start, Sun_Hours, CompanyName "
                                           "FROM DoorsNames_Tbl"))
        .value(0);
}
