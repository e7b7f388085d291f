#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// The fields of a window that write their value when the focus leaves them.
// A field may be made of several widgets; moving between them is no leave.
// The focus going to a popup (a list or calendar opening) or to another window
// is no leave either, so the rules do not fire while the user still types.
//
// A toolbar button takes no focus, so before its action the field being edited
// commits through commitFocused(), which then parks the focus on `parking`.
class FieldCommits : public QObject {
    Q_OBJECT
public:
    // Returns false when the field's rule refused the value (it then keeps the focus).
    using Commit = std::function<bool()>;

    FieldCommits(QWidget* window, QWidget* parking);

    void watch(QWidget* field, Commit commit);
    // Commits the field that holds the window's focus; true when there is none.
    bool commitFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* fieldOf(QWidget* widget) const;
    bool run(QWidget* field);

    QWidget* m_window;
    QPointer<QWidget> m_parking;
    QHash<QWidget*, Commit> m_fields;
    bool m_running = false;
    bool m_dispatching = false;
};
