#include "platform/forms/Form.h"

#include "platform/forms/CommandKeys.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/Placement.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"
#include "platform/widgets/HelpKey.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <utility>

namespace {
std::function<void(Form&)>& modalHandler()
{
    static std::function<void(Form&)> handler;
    return handler;
}
}

void Form::setModalHandlerForTests(std::function<void(Form&)> handler)
{
    modalHandler() = std::move(handler);
}

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {}

Form::~Form()
{
    if (m_modalLoop)
        m_modalLoop->quit();
}

void Form::setCancelButton(QAbstractButton* button)
{
    m_cancel = button;
}

void Form::setDefaultButton(QPushButton* button)
{
    if (m_default)
        m_default->setDefault(false);
    m_default = button;
    if (button)
        button->setDefault(true);
}

void Form::setCancelCommand(QAction* command)
{
    m_cancelCommand = command;
    CommandKeys::showInTip(command, QKeySequence(Qt::Key_Escape));
}

void Form::setDefaultCommand(QAction* command)
{
    m_defaultCommand = command;
    CommandKeys::showInTip(command, QKeySequence(Qt::Key_Enter));
}

void Form::catchUpLanguage()
{
    const FormTranslator translator(BinaryDict());
    if (translator.isBehind(this))
        translator.TranslateForm(this);
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    FormRegistry::formLoaded(this);
    // F1 opens the help page named after the window.
    HelpKey::install(this, QString::fromLatin1(metaObject()->className()));
    Form_Load();
}

void Form::showModeless(const QWidget* owner)
{
    if (!isLoaded())
        return;
    setWindowModality(Qt::NonModal);
    showFrom(owner);
}

void Form::showModal(const QWidget* owner)
{
    if (!isLoaded())
        return;
    setWindowModality(Qt::ApplicationModal);
    showFrom(owner);
    if (!isLoaded() || !isVisible())
        return; // unloaded while being shown
    if (modalHandler()) {
        QPointer<Form> self(this);
        modalHandler()(*this);
        if (self && self->isLoaded())
            self->hide();
        return;
    }
    QEventLoop loop;
    m_modalLoop = &loop;
    QPointer<Form> self(this);
    loop.exec();
    if (self)
        self->m_modalLoop = nullptr;
}

void Form::showFrom(const QWidget* owner)
{
    // A window on the screen already stays where it is, over whom it was opened from.
    if (!isVisible()) {
        QWidget* top = owner ? owner->window() : nullptr;
        if (top == this || (top && !top->isVisible()))
            top = nullptr;
        // Over its opener, or in the middle of the screen; whole on the screen in any case.
        m_placedOver = top;
        m_centred = !testAttribute(Qt::WA_Moved);
        m_frameGuess = frameMargins(this, top);
        place();
        takeOwner(top);
    }
    show();
    raise();
    activateWindow();
}

void Form::place()
{
    if (m_centred)
        centreOver(this, m_placedOver);
    else
        keepOnScreen(this, m_placedOver);
}

void Form::takeOwner(QWidget* owner)
{
    // The window manager keeps a window above the one it is transient for,
    // which X gives only to windows of the dialog kind.
    const Qt::WindowType kind = owner ? Qt::Dialog : Qt::Window;
    if (windowType() != kind)
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | kind);
    create();
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(owner ? owner->windowHandle() : nullptr);
}

void Form::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // The keyboard goes back to the window this one stood over, as window
    // managers do; where none does it (offscreen, some compositors), nothing would have it.
    const QWindow* focus = QGuiApplication::focusWindow();
    QWindow* handle = windowHandle();
    QWindow* owner = handle ? handle->transientParent() : nullptr;
    if (owner && owner->isVisible() && (!focus || focus == handle))
        owner->requestActivate();
    m_active = false;
    if (m_modalLoop)
        m_modalLoop->quit();
}

void Form::activateNow()
{
    if (!isLoaded())
        return;
    m_active = true;
    Form_Activate();
}

bool Form::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowActivate:
        // Only now does the window system tell the frame it has put round the window.
        if (m_frameGuess && frameMargins(this) != *m_frameGuess)
            place();
        m_frameGuess.reset();
        if (!m_active)
            activateNow();
        break;
    case QEvent::Show:
        // Sent before the window appears: it never shows a language left behind.
        catchUpLanguage();
        // Some window systems never activate a window (offscreen, or a disabled
        // one); the first show counts as an activation there.
        QTimer::singleShot(0, this, [this] {
            if (!m_active && isVisible())
                activateNow();
        });
        break;
    default: break;
    }
    return QWidget::event(event);
}

Form::Hold::Hold(Form& form) : m_form(&form)
{
    ++form.m_holds;
}

Form::Hold::~Hold()
{
    if (!m_form || --m_form->m_holds > 0 || !m_form->m_heldUnload)
        return;
    const int mode = *std::exchange(m_form->m_heldUnload, std::nullopt);
    m_form->unloadWith(mode);
}

bool Form::unloadWith(int mode)
{
    if (!isLoaded())
        return true;
    if (m_holds > 0) {
        if (!m_heldUnload) {
            m_heldUnload = mode;
            emit unloadAsked();
        }
        return false;
    }
    if (!Form_QueryUnload(mode))
        return false;
    if (!isLoaded())
        return true; // the query ended the window itself
    m_unloaded = true;
    Form_Unload();
    hide();
    if (m_modalLoop)
        m_modalLoop->quit();
    emit unloaded();
    deleteLater();
    FormRegistry::formUnloaded(this);
    return true;
}

bool Form::unloadForm()
{
    return unloadWith(ProgramUnload);
}

void Form::closeEvent(QCloseEvent* event)
{
    // Our own unload has already run when Qt closes the window afterwards.
    if (!isLoaded() || unloadWith(CloseBox))
        event->accept();
    else
        event->ignore();
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_cancel && m_cancel->isEnabled()) {
            m_cancel->click();
            return;
        }
        if (m_cancelCommand && m_cancelCommand->isEnabled()) {
            m_cancelCommand->trigger();
            return;
        }
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && pressDefaultButton())
        return;
    QWidget::keyPressEvent(event);
}

// What a dialog does with Enter that its fields passed on.
bool Form::pressDefaultButton()
{
    // A push or tool button in the focus is what Enter presses.
    QWidget* focus = focusWidget();
    auto* focused = qobject_cast<QAbstractButton*>(focus);
    if (focused && focused->window() == this &&
        (qobject_cast<QPushButton*>(focus) || qobject_cast<QToolButton*>(focus))) {
        if (!focused->isEnabled() || (!m_default && !m_defaultCommand && !qobject_cast<QToolButton*>(focus)))
            return false;
        focused->click();
        return true;
    }
    if (m_default && m_default->isVisibleTo(this) && m_default->isEnabled()) {
        m_default->click();
        return true;
    }
    if (m_defaultCommand && m_defaultCommand->isEnabled()) {
        m_defaultCommand->trigger();
        return true;
    }
    return false;
}
