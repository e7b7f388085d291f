#pragma once

#include "platform/help/HelpService.h"
#include "platform/widgets/HelpWindow.h"

#include <QPointer>

// The help of the running program: one help window, shown beside the other
// windows (never modal), over the document of the current language in the
// program folder. A missing document is reported as a warning.
class WindowHelpService final : public HelpService {
public:
    WindowHelpService() = default;
    ~WindowHelpService() override;
    WindowHelpService(const WindowHelpService&) = delete;
    WindowHelpService& operator=(const WindowHelpService&) = delete;

    void showContents() override;
    void showIndex() override;
    void showContext(int context) override;
    void showTopic(const QString& topic) override;

    // The window, once one has been opened and while it exists.
    HelpWindow* window() const { return m_window; }

private:
    // Loads the document afresh (the language may have changed), shows the
    // window and the page `show` puts in it. A window opened anew, or again
    // after it was closed, has nothing to go back to.
    template <class Show>
    void present(Show&& show);
    // nullptr when the document is missing.
    HelpWindow* open();

    QPointer<HelpWindow> m_window;
};
