#pragma once

#include <QImage>
#include <QString>

class Printer;

// The details sheet of one employee, as the editor's controls show it.
struct EmployeeSheet {
    QString number;
    QString firstName;
    QString lastName;
    QString position;
    QString employmentDate; // the system's short date, empty for none
    QString positionDate;
    QString idNumber;
    QString birthDate;
    QString gender; // the list entry shown
    QString familyStatus;
    QString address;
    QString phone1;
    QString phone2;
    QString email;
    // The employee's own picture path ("" for none) and the picture shown.
    QString pictureFile;
    QImage picture;
};

// Every carriage return and line feed becomes one blank; the length stays.
QString ReplaceLineBreaks(const QString& text);

// Prints the one-page sheet: header, the framed factory block (with the
// picture beside it when the employee has one of its own), the framed
// personal block and the footer, then the printing notice.
void PrintDetailsSheet(Printer& printer, const EmployeeSheet& sheet);
