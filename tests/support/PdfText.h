#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

// Reading back a PDF with poppler's pdftotext. Both give nothing when
// pdftotext is not installed.

// The text of each page as `pdftotext -layout` lays it out.
std::optional<QStringList> pdfPages(const QString& path);

// Every word with its page (from 1) and the top left corner of its box, in
// twips from the top left corner of the sheet.
struct PdfWord {
    int page;
    QPointF at;
    QString text;
};
std::optional<QList<PdfWord>> pdfWords(const QString& path);

// The title a PDF carries (poppler's pdfinfo), empty when it has none.
QString pdfTitle(const QString& path);
