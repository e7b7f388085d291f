#pragma once

#include "platform/DurableOutput.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

class ForwardQuery;

// One line of a report's text file: each text left in its field, padded with
// blanks and cut at the field's width, in the single-byte Windows code page
// (a character it lacks becomes "?"), then CR LF. Fields not given are blank.
QByteArray fixedWidthLine(const QList<int>& widths, const QStringList& fields);

// Each field full of "*".
QStringList asteriskRule(const QList<int>& widths);

// The line of a row as it is made, field after field, straight into the
// file's bytes: a report's file holds a line for each of hundreds of
// thousands of rows. The same text gives the same bytes as fixedWidthLine.
class TextLine {
public:
    TextLine(const QList<int>& widths, QByteArray& out);

    // The next field: a text as stored (UTF-8); one the program makes.
    TextLine& add(QByteArrayView utf8);
    TextLine& add(QStringView text);
    // The next field: a column of the row as text, none as "".
    TextLine& add(const ForwardQuery& row, int column);
    // The next field: `before`, then the column.
    TextLine& add(QByteArrayView before, const ForwardQuery& row, int column);
    // The next field: a stored day "YYYY-MM-DD" in the system's short date
    // form (each day made once), any other text as it stands.
    TextLine& addShownDate(const ForwardQuery& row, int column);
    // The next field: a stored time of day as "HH:mm", any other text as it stands.
    TextLine& addClock(const ForwardQuery& row, int column);
    // The fields not given are blank; the line ends.
    void end();

private:
    // Puts UTF-8 text into the field begun; false when the field is full.
    void put(QByteArrayView utf8);
    void put(QStringView text);
    TextLine& close();

    const QList<int>& m_widths;
    QByteArray& m_out;
    int m_field = 0;
    int m_used = 0; // characters of the field so far
    QHash<int, QString> m_shownDays;
};

// A report's text file, written beside the chosen one and put in its place
// only when commit() succeeds: a save that fails leaves an existing file as it was.
// Every failure is path/file access (75), with the file and the system's reason.
class ReportTextFile {
public:
    ReportTextFile(const QString& path, QList<int> widths);

    void writeLine(const QStringList& fields);
    // The line of the next row: its fields are added, then end() it and writeRow().
    TextLine& row() { return m_row; }
    void writeRow();
    void commit();

private:
    void flushIfFull();

    DurableOutput m_file;
    QList<int> m_widths;
    QByteArray m_pending;
    TextLine m_row;
};
