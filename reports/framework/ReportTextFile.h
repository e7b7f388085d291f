#pragma once

#include "platform/DurableOutput.h"

#include <QList>
#include <QString>
#include <QStringList>

// One line of a report's text file: each text left in its field, padded with
// blanks and cut at the field's width, in the single-byte Windows code page
// (a character it lacks becomes "?"), then CR LF. Fields not given are blank.
QByteArray fixedWidthLine(const QList<int>& widths, const QStringList& fields);

// Each field full of "*".
QStringList asteriskRule(const QList<int>& widths);

// A report's text file, written beside the chosen one and put in its place
// only when commit() succeeds: a save that fails leaves an existing file as it was.
// Every failure is path/file access (75), with the file and the system's reason.
class ReportTextFile {
public:
    ReportTextFile(const QString& path, QList<int> widths);

    void writeLine(const QStringList& fields);
    void commit();

private:
    DurableOutput m_file;
    QList<int> m_widths;
};
