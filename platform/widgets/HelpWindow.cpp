#include "platform/widgets/HelpWindow.h"

#include "platform/translation/BinaryDictionary.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int TopicRole = Qt::UserRole;
const QUrl indexUrl(QStringLiteral("gt430-help:index"));
constexpr int PageWidth = 560;

// A browser that also serves the index page the document makes.
class HelpBrowser : public QTextBrowser {
public:
    QString indexHtml;

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::HtmlResource && name == indexUrl)
            return indexHtml;
        return QTextBrowser::loadResource(type, name);
    }
};

}

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_filter(new QLineEdit), m_keywords(new QListWidget), m_browser(new HelpBrowser),
      m_contents(new QPushButton), m_back(new QPushButton), m_forward(new QPushButton), m_filterLabel(new QLabel),
      m_splitter(new QSplitter)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/help.svg")));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();

    auto* indexPanel = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPanel);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    m_filterLabel->setBuddy(m_filter);
    m_filter->setClearButtonEnabled(true);
    indexLayout->addWidget(m_filterLabel);
    indexLayout->addWidget(m_filter);
    indexLayout->addWidget(m_keywords);

    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(true);

    m_splitter->addWidget(indexPanel);
    m_splitter->addWidget(m_browser);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({220, PageWidth});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_splitter);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QWidget::setEnabled);
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QPushButton::clicked, this, [this] { showPage(m_document.contentsPage()); });
    connect(m_filter, &QLineEdit::textChanged, this, &HelpWindow::fillIndex);
    connect(m_filter, &QLineEdit::returnPressed, this, &HelpWindow::openFirstEntry);
    connect(m_keywords, &QListWidget::itemClicked, this, &HelpWindow::openEntry);
    connect(m_keywords, &QListWidget::itemActivated, this, &HelpWindow::openEntry);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    translateTexts();
    resize(820, 600);
}

void HelpWindow::translateTexts()
{
    const BinaryDictionary& dict = BinaryDict();
    setWindowTitle(dict.Translate(QStringLiteral("GT-430 Help")));
    m_contents->setText(dict.Translate(QStringLiteral("Contents")));
    m_back->setText(dict.Translate(QStringLiteral("Back")));
    m_forward->setText(dict.Translate(QStringLiteral("Forward")));
    m_filterLabel->setText(dict.Translate(QStringLiteral("Type in the keyword to find:")));
}

void HelpWindow::setDocument(HelpDocument document)
{
    m_document = std::move(document);
    translateTexts();
    static_cast<HelpBrowser*>(m_browser)->indexHtml =
        m_document.indexPage(BinaryDict().Translate(QStringLiteral("Index")));
    fillIndex();
    fitIndexWidth();
}

void HelpWindow::fitIndexWidth()
{
    // The longest line of the whole index, with the list's frame and a scroll bar beside it.
    const int lines = m_keywords->sizeHintForColumn(0);
    const int wanted = lines + 2 * m_keywords->frameWidth() + m_keywords->verticalScrollBar()->sizeHint().width() + 4;
    const QList<int> sizes = m_splitter->sizes();
    if (!sizes.isEmpty() && sizes.first() >= wanted)
        return;
    m_splitter->setSizes({wanted, qMax(PageWidth, sizes.value(1))});
    resize(qMax(width(), wanted + PageWidth + m_splitter->handleWidth() + 24), height());
}

void HelpWindow::fillIndex()
{
    m_keywords->clear();
    for (const HelpIndexEntry& entry : m_document.index(m_filter->text())) {
        auto* item = new QListWidgetItem(entry.label, m_keywords);
        item->setData(TopicRole, entry.topic);
    }
    if (m_keywords->count() > 0)
        m_keywords->setCurrentRow(0);
}

void HelpWindow::openEntry(QListWidgetItem* item)
{
    if (item)
        showPage(m_document.pageForTopic(item->data(TopicRole).toString()));
}

void HelpWindow::openFirstEntry()
{
    openEntry(m_keywords->currentItem() ? m_keywords->currentItem() : m_keywords->item(0));
}

void HelpWindow::showPage(const QString& file)
{
    const QUrl page = QUrl::fromLocalFile(file);
    if (m_browser->source() == page)
        m_browser->reload();
    else
        m_browser->setSource(page);
}

void HelpWindow::showIndexPage()
{
    if (m_browser->source() == indexUrl)
        m_browser->reload();
    else
        m_browser->setSource(indexUrl);
}

void HelpWindow::forgetHistory()
{
    m_browser->clearHistory();
}

bool HelpWindow::showsIndexPage() const
{
    return m_browser->source() == indexUrl;
}

void HelpWindow::focusIndex()
{
    m_filter->clear();
    m_filter->setFocus(Qt::OtherFocusReason);
}

QString HelpWindow::currentPage() const
{
    return m_browser->source().isLocalFile() ? m_browser->source().toLocalFile() : QString();
}
