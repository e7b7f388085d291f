#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// A small help document written into a folder: the contents, two window
// topics, and the pages of context numbers 9 and 1020.
namespace HelpFixture {

inline void writePage(const QString& folder, const QString& name, const QString& head,
                      QString body = QStringLiteral("<p>Some help.</p>"))
{
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name + QStringLiteral(".html")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write a help page");
    file.write((QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n") + head +
                QStringLiteral("\n</head>\n<body>\n") + body + QStringLiteral("\n</body>\n</html>\n"))
                   .toUtf8());
}

// `mark` goes into every title, so that tests can tell two documents apart.
inline void write(const QString& folder, const QString& mark = {})
{
    writePage(folder, QStringLiteral("contents"),
              QStringLiteral("<title>Contents%1</title>\n<meta name=\"keywords\" content=\"contents\">").arg(mark),
              QStringLiteral("<p><a href=\"frmOnline.html\">On-line monitor</a></p>"));
    writePage(folder, QStringLiteral("frmOnline"),
              QStringLiteral("<title>On-line monitor%1</title>\n"
                             "<meta name=\"keywords\" content=\"on-line monitor; door status; Tamper\">")
                  .arg(mark));
    writePage(folder, QStringLiteral("frmPrpComms"),
              QStringLiteral("<title>Communication Setup &amp; port%1</title>\n"
                             "<meta content='serial port;  door status ;' name='keywords'>")
                  .arg(mark));
    writePage(folder, QStringLiteral("passwords"),
              QStringLiteral("<title>Levels and passwords%1</title>\n"
                             "<meta name=\"keywords\" content=\"passwords; levels; Administrator\">\n"
                             "<meta name=\"context\" content=\"9\">")
                  .arg(mark));
    writePage(folder, QStringLiteral("support"),
              QStringLiteral("<title>Technical support%1</title>\n"
                             "<meta name=\"keywords\" content=\"support\">\n"
                             "<meta name=\"context\" content=\"1020, 1021\">")
                  .arg(mark));
}

}
