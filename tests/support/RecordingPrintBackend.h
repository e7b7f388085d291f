#pragma once

#include "platform/printing/PrintBackend.h"

#include <QList>
#include <QStringList>

// What a printout drew, page by page, for tests to read back. A new document
// starts the drawings afresh; the document counts go on.
struct PrintRecord {
    struct Text {
        int page;
        QPointF at;
        QString text;
        PrintFont font;
    };
    struct Line {
        int page;
        QPointF from;
        QPointF to;
        int width;
    };
    struct Picture {
        int page;
        QRectF area;
        QSize size;
    };

    // The printable area, a Letter page less quarter-inch margins.
    QSizeF printable{11520, 15120};

    QList<Text> texts;
    QList<Line> lines;
    QList<Picture> pictures;
    QString documentName; // as the printout named its document
    int pages = 0;        // pages begun in the current or last document
    int documentsBegun = 0;
    int documentsEnded = 0;
    int documentsAbandoned = 0;
    // The last document was drawn on a thread other than the window's.
    bool drawnBesideTheWindow = false;

    QList<Text> onPage(int page) const;
    QStringList textsOnPage(int page) const;
    // The first text equal to `text`, or nullptr.
    const Text* find(const QString& text) const;
    // The first text that starts with `start`, or nullptr.
    const Text* findStarting(const QString& start) const;
};

// A printer without paper: metrics follow a fixed rule so that tests can
// compute positions (a character is half as wide as the font's size, 10
// twips a point; a line is 23 twips a point, as Arial's is).
class RecordingPrintBackend final : public PrintBackend {
public:
    explicit RecordingPrintBackend(PrintRecord& record) : m_record(record) {}

    static double charWidth(double points) { return points * 10; }
    static double lineHeightOf(double points) { return points * 23; }

    QSizeF printableSize() const override { return m_record.printable; }
    double textWidth(const QString& text, const PrintFont& font) const override;
    double lineHeight(const PrintFont& font) const override { return lineHeightOf(font.size); }

    void setDocumentName(const QString& name) override { m_record.documentName = name; }
    void beginDocument() override;
    void drawText(const QPointF& topLeft, const QString& text, const PrintFont& font) override;
    void drawLine(const QPointF& from, const QPointF& to, int widthPixels) override;
    void drawPicture(const QRectF& area, const QImage& picture) override;
    void newPage() override;
    void endDocument() override;
    void abandonDocument() noexcept override;

private:
    PrintRecord& m_record;
};
