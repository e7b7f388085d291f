#pragma once

#include "core/PrintNotice.h"

#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;

// The printing notice: it stands over the windows while a printout is sent,
// and once the document has gone it waits a second and closes itself. Until
// then the user cannot close it.
class frmPrint : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* PictureResource = ":/pictures/printer.svg";

    // A picture that cannot be read shows nothing.
    explicit frmPrint(QWidget* parent = nullptr, const QString& picture = QString::fromLatin1(PictureResource));

    QLabel* lblNumPrint;
    QLabel* Image1;

    // Waits a second and closes the window.
    void Form_Activate();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void loadPicture(const QString& path);

    bool m_closing = false;
};

// The notice as the windows show it: modal to the whole program, standing
// over the window that prints.
class WindowPrintNotice final : public PrintNotice {
public:
    ~WindowPrintNotice() override;
    void show(const QString& text) override;
    void open(const QString& text) override;
    void setText(const QString& text) override;
    void close() override;

private:
    QPointer<frmPrint> m_notice;
};

// Tests look at the notice while it is up; nullptr stops watching.
void setPrintNoticeWatcherForTests(std::function<void(const frmPrint&)> watcher);
