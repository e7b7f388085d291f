#include "core/frmPrint.h"

#include "core/Messages.h"
#include "core/WaitSeconds.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSvgRenderer>

namespace {

constexpr int PictureSide = 64;

std::function<void(const frmPrint&)>& noticeWatcher()
{
    static std::function<void(const frmPrint&)> watcher;
    return watcher;
}

}

frmPrint::frmPrint(QWidget* parent, const QString& picture)
    : QDialog(parent), lblNumPrint(new QLabel(this)), Image1(new QLabel(this))
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Print..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);

    lblNumPrint->setObjectName(QStringLiteral("lblNumPrint"));
    lblNumPrint->setMinimumWidth(220);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(PictureSide, PictureSide);
    loadPicture(picture);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    layout->addWidget(Image1);
    layout->addWidget(lblNumPrint, 1);
    // As large as its text, whatever the language.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
}

void frmPrint::Form_Load()
{
    FormTranslator(BinaryDict()).TranslateForm(this);
}

void frmPrint::Form_Activate()
{
    // The window it stands over may go while it waits, taking the notice along.
    const QPointer<frmPrint> self(this);
    guarded(751, [this] {
        if (noticeWatcher())
            noticeWatcher()(*this);
        WaitSeconds(1);
    });
    if (self) {
        m_closing = true;
        done(QDialog::Accepted);
    }
}

void frmPrint::reject()
{
    // Esc: the printout is on its way, and the notice goes by itself.
    if (m_closing)
        QDialog::reject();
}

void frmPrint::closeEvent(QCloseEvent* event)
{
    if (m_closing)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

void frmPrint::loadPicture(const QString& path)
{
    if (!QFile::exists(path))
        return;
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return;
    QPixmap pixmap(PictureSide, PictureSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    Image1->setPixmap(pixmap);
}

WindowPrintNotice::~WindowPrintNotice()
{
    // The program's own goes after the application, which leaves no window to close.
    if (QApplication::instance())
        close();
}

void WindowPrintNotice::open(const QString& text)
{
    close();
    // Not owned here: the window it stands over deletes it when it goes first.
    m_notice = new frmPrint(QApplication::activeWindow());
    m_notice->lblNumPrint->setText(text);
    m_notice->setWindowModality(Qt::ApplicationModal);
    m_notice->show();
}

void WindowPrintNotice::setText(const QString& text)
{
    if (m_notice)
        m_notice->lblNumPrint->setText(text);
}

void WindowPrintNotice::show(const QString& text)
{
    if (!m_notice)
        open(text);
    m_notice->lblNumPrint->setText(text);
    m_notice->Form_Activate();
    close();
}

void WindowPrintNotice::close()
{
    delete m_notice.data();
}

void setPrintNoticeWatcherForTests(std::function<void(const frmPrint&)> watcher)
{
    noticeWatcher() = std::move(watcher);
}
