#pragma once

#include "platform/printing/PrintBackend.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

// The printer as the printouts draw on it: a print position in twips, a font,
// and text printed line by line. Two rules carry every layout:
// - print() leaves the position just after the text, on the same line;
// - printLine() moves back to the left edge (X = 0) and one line of the current
//   font down; an empty printLine() only advances that line.
// Nothing ever wraps: text past the right edge is simply cut off by the page.
class Printer {
public:
    explicit Printer(std::unique_ptr<PrintBackend> backend);
    // An unfinished document is dropped.
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    double currentX() const { return m_x; }
    void setCurrentX(double x) { m_x = x; }
    double currentY() const { return m_y; }
    void setCurrentY(double y) { m_y = y; }

    const PrintFont& font() const { return m_font; }
    QString fontName() const { return m_font.name; }
    void setFontName(const QString& name) { m_font.name = name; }
    double fontSize() const { return m_font.size; }
    void setFontSize(double points) { m_font.size = points; }
    bool fontBold() const { return m_font.bold; }
    void setFontBold(bool on) { m_font.bold = on; }
    bool fontUnderline() const { return m_font.underline; }
    void setFontUnderline(bool on) { m_font.underline = on; }

    // The printable area.
    double scaleWidth() const;
    double scaleHeight() const;
    // In the current font; a text of several lines is as high as its lines.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;

    void print(const QString& text);
    void printLine(const QString& text = {});

    // Pen width of drawLine, in pixels of the device.
    void setDrawWidth(int pixels) { m_drawWidth = pixels; }
    void drawLine(double x1, double y1, double x2, double y2);
    void paintPicture(const QImage& picture, double x, double y, double width, double height);

    // Names the documents printed from now on after what they hold.
    void setDocumentName(const QString& name);

    // The number of the page being drawn, 1 for the first.
    int16_t page() const { return m_page; }
    // Opens the document now rather than at the first drawing: a printer that
    // cannot print fails before anything is composed.
    void beginDoc();
    void newPage();
    // Sends the document; the printer is then ready for another at page 1.
    void endDoc();
    // Drops what was drawn since the document began.
    void abandonDoc() noexcept;

private:
    void open();
    void restart() noexcept;

    std::unique_ptr<PrintBackend> m_backend;
    PrintFont m_font;
    double m_x = 0;
    double m_y = 0;
    int m_drawWidth = 1;
    int16_t m_page = 1;
    bool m_open = false;
};
