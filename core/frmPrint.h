#pragma once

#include "core/PrintNotice.h"

#include <QDialog>
#include <functional>

class QLabel;

// The notice shown once a printout has been sent: modal, it waits a second and
// closes itself.
class frmPrint : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* PictureResource = ":/pictures/printer.svg";

    // A picture that cannot be read shows nothing.
    explicit frmPrint(QWidget* parent = nullptr, const QString& picture = QString::fromLatin1(PictureResource));

    QLabel* lblNumPrint;
    QLabel* Image1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void loadPicture(const QString& path);

    bool m_activated = false;
};

// The notice as the windows show it: modal, closing itself after a second.
class WindowPrintNotice final : public PrintNotice {
public:
    void show(const QString& text) override;
};

// Tests look at the notice while it is up; nullptr stops watching.
void setPrintNoticeWatcherForTests(std::function<void(const frmPrint&)> watcher);
