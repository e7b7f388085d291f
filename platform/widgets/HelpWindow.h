#pragma once

#include "platform/help/HelpDocument.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSplitter;
class QTextBrowser;

// The help window: the keyword index with its filter on the left, the page on
// the right. It only shows; finding pages is the document's work.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Takes a (re)loaded document and fills the index from it.
    void setDocument(HelpDocument document);
    const HelpDocument& document() const { return m_document; }

    void showPage(const QString& file);
    // The whole keyword index as the page.
    void showIndexPage();
    // Clears the filter and puts the cursor in it.
    void focusIndex();
    // The page shown stays; there is nothing to go back or forward to.
    void forgetHistory();

    // The file of the page shown; empty for the index page.
    QString currentPage() const;
    bool showsIndexPage() const;
    QLineEdit* filterBox() const { return m_filter; }
    QListWidget* keywordList() const { return m_keywords; }
    QTextBrowser* browser() const { return m_browser; }
    QPushButton* backButton() const { return m_back; }

private:
    void translateTexts();
    void fillIndex();
    void openEntry(QListWidgetItem* item);
    void openFirstEntry();
    // The index as wide as its longest line.
    void fitIndexWidth();

    HelpDocument m_document;
    QLineEdit* m_filter;
    QListWidget* m_keywords;
    QTextBrowser* m_browser;
    QPushButton* m_contents;
    QPushButton* m_back;
    QPushButton* m_forward;
    QLabel* m_filterLabel;
    QSplitter* m_splitter;
};
