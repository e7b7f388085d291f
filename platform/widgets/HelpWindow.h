#pragma once

#include "platform/help/HelpDocument.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
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
    // Clears the filter and puts the cursor in it.
    void focusIndex();

    QString currentPage() const;
    QLineEdit* filterBox() const { return m_filter; }
    QListWidget* keywordList() const { return m_keywords; }
    QTextBrowser* browser() const { return m_browser; }

private:
    void translateTexts();
    void fillIndex();
    void openEntry(QListWidgetItem* item);
    void openFirstEntry();

    HelpDocument m_document;
    QLineEdit* m_filter;
    QListWidget* m_keywords;
    QTextBrowser* m_browser;
    QPushButton* m_contents;
    QPushButton* m_back;
    QPushButton* m_forward;
    QLabel* m_filterLabel;
};
