#pragma once

#include <QString>
#include <cstdint>

// What the employee list, the editor and the picture chooser hand each other
// around their modal shows.
struct EmployeeHandOver {
    // The editor works on a new, not yet stored employee.
    bool NewEmployee = false;
    // The employee the editor opens, and the one it shows.
    int16_t CurEmpNo = 0;
    // The picture chosen in the picture chooser ("" for no choice); the editor
    // keeps the shown employee's own picture here between choices.
    QString CurPictureFile;
};

EmployeeHandOver& employeeHandOver();
