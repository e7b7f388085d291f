#pragma once

#include <QList>
#include <QString>

class Printer;

// One printed line of the employee list, in the list's own order.
struct EmployeeListLine {
    QString number;
    QString lastName;
    QString firstName;
    QString slot;
    QString access;
};

// Prints the lines under a page header with the print time, the title and the
// column headings, 47 lines on the first page and 46 on every later one, then
// shows the printing notice.
void PrintEmployeeList(Printer& printer, const QList<EmployeeListLine>& lines);
