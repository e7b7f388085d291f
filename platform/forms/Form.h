#pragma once

#include <QAction>
#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <optional>

class QAbstractButton;
class QPushButton;
class QEventLoop;

// A window with the life of the original program's forms: it is loaded once
// (Form_Load), activated when it comes to the front (Form_Activate), asked
// before it closes (Form_QueryUnload, mode 0 for the window's close box, 1 for
// the program's own unload) and unloaded (Form_Unload), after which the
// instance is gone. It is shown modeless or modal; a modal show returns when
// the window unloads or hides.
class Form : public QWidget {
    Q_OBJECT
public:
    enum UnloadMode { CloseBox = 0, ProgramUnload = 1 };

    // Held by a handler that lets the event loop run (a wait, a box, a modal
    // window) while it still needs its window: an unload asked for meanwhile
    // (its Close button, its close box) is carried out once the last hold has
    // ended, so the window is never destroyed under its own running handler.
    class Hold {
    public:
        explicit Hold(Form& form);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        QPointer<Form> m_form;
    };

    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Runs Form_Load once; called by the instance registry right after creation.
    void load();
    bool isLoaded() const { return m_loaded && !m_unloaded; }

    void showModeless(const QWidget* owner);
    // Returns when the window is unloaded or hidden.
    void showModal(const QWidget* owner);

    // Tests act on a modal window in place of the user: the handler runs
    // instead of the window's own event loop, and the modal show returns after it.
    static void setModalHandlerForTests(std::function<void(Form&)> handler);

    // The program's own unload. False when Form_QueryUnload refused it, or
    // when a hold puts it off.
    bool unloadForm();
    // What the window's close box does.
    bool requestClose() { return unloadWith(CloseBox); }

    // Esc presses this button.
    void setCancelButton(QAbstractButton* button);
    // Enter presses this button, unless the focus is on another button, which
    // Enter then presses.
    void setDefaultButton(QPushButton* button);
    // The same for a toolbar's command; its tool tip shows the key. Esc and
    // Enter reach the window only when the field in the focus has no use for
    // them (an open list, a calendar, a text of several lines keeps them).
    void setCancelCommand(QAction* command);
    void setDefaultCommand(QAction* command);

    // Translates the window again when the language changed since it was
    // last translated; a window that never translated itself stays as it is.
    // Every show does this first.
    void catchUpLanguage();

    // Whether an unload waits for the last hold to end.
    bool unloadPutOff() const { return m_heldUnload.has_value(); }

signals:
    void unloaded();
    // An unload was asked for while a hold lives: work the hold waits for may
    // end early.
    void unloadAsked();

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual bool Form_QueryUnload(int /*mode*/) { return true; }
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Runs Form_Activate now, as the window system would on activation.
    void activateNow();

private:
    bool unloadWith(int mode);
    void showFrom(const QWidget* owner);
    void takeOwner(QWidget* owner);
    void place();
    bool pressDefaultButton();

    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_active = false;
    int m_holds = 0;
    std::optional<int> m_heldUnload;
    QPointer<QAbstractButton> m_cancel;
    QPointer<QPushButton> m_default;
    QPointer<QAction> m_cancelCommand;
    QPointer<QAction> m_defaultCommand;
    // Where the window was placed when shown, and the frame guessed then.
    QPointer<QWidget> m_placedOver;
    bool m_centred = false;
    std::optional<QMargins> m_frameGuess;
    QEventLoop* m_modalLoop = nullptr;
};
