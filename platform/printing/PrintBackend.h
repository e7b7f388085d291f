#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// A printer font as the printouts set it: name, size in points, bold, underlined.
struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 10;
    bool bold = false;
    bool underline = false;
};

// What a printer device does for the printer object. Every position and size is
// in twips (1440 to the inch) from the top left corner of the printable area.
class PrintBackend {
public:
    virtual ~PrintBackend() = default;

    virtual QSizeF printableSize() const = 0;
    virtual double textWidth(const QString& text, const PrintFont& font) const = 0;
    // One line of the font, leading included.
    virtual double lineHeight(const PrintFont& font) const = 0;

    // The name the document goes by: the print job's and the PDF's title.
    // Set before the document begins.
    virtual void setDocumentName(const QString& name) { (void)name; }
    // Opens a document on its first page; drawing comes only after it.
    virtual void beginDocument() = 0;
    // `topLeft` is the top of the line the text stands on.
    virtual void drawText(const QPointF& topLeft, const QString& text, const PrintFont& font) = 0;
    virtual void drawLine(const QPointF& from, const QPointF& to, int widthPixels) = 0;
    virtual void drawPicture(const QRectF& area, const QImage& picture) = 0;
    virtual void newPage() = 0;
    // Sends the document.
    virtual void endDocument() = 0;
    // Drops an unfinished document; must not throw.
    virtual void abandonDocument() noexcept = 0;
};
