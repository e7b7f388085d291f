#include "core/frmPrint.h"

#include "core/Messages.h"
#include "core/WaitSeconds.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSvgRenderer>
#include <QTimer>

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

void frmPrint::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    // Once the window is up and its event loop runs.
    QTimer::singleShot(0, this, &frmPrint::Form_Activate);
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
    if (self)
        done(QDialog::Accepted);
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

void WindowPrintNotice::show(const QString& text)
{
    // Not on this stack: the window it stands over deletes it when it goes first.
    const QPointer<frmPrint> notice = new frmPrint(QApplication::activeWindow());
    notice->lblNumPrint->setText(text);
    notice->exec();
    delete notice.data();
}

void setPrintNoticeWatcherForTests(std::function<void(const frmPrint&)> watcher)
{
    noticeWatcher() = std::move(watcher);
}
