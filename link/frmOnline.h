#pragma once

#include "link/CodeReadHandOver.h"
#include "link/OnlineHistoryModel.h"
#include "platform/forms/Form.h"

#include <cstdint>
#include <memory>
#include <optional>

class FormTimer;
class Printer;
class PictureBox;
class QAction;
class QGroupBox;
class QLabel;
class QStatusBar;
class QTimer;
class QModelIndex;
class QToolBar;
class QTreeView;

// The on-line monitor: the code reads of yesterday and today, newest first,
// each new one as soon as the reception has recorded it, the picture of the
// employee concerned, and the door status. It records nothing itself.
class frmOnline : public Form {
    Q_OBJECT
public:
    frmOnline();
    ~frmOnline() override;

    void InitCurrentEmp();
    void UpdateStatus();
    void History_ItemClick(const QModelIndex& index);
    void Toolbar1_ButtonClick(int button);
    void ReadCardTimer_Timer();

    void PrintHistory();
    void CloseOnline();

    QToolBar* Toolbar1;
    QAction* ToolbarButton[4]; // buttons 1 to 3
    QTreeView* History;
    OnlineHistoryModel* HistoryLines;
    PictureBox* EmpImage;
    QGroupBox* FrameDoors;
    PictureBox* ImageDoor;
    PictureBox* ImgTamper;
    QLabel* lblTamper;
    QLabel* lblDoorDescription;
    FormTimer* ReadCardTimer;
    QStatusBar* StatusBar2;
    QLabel* statusDate;
    QLabel* statusTime;

    bool StatusShown = false;
    int16_t ShownEmpNumber = 0;

protected:
    void Form_Load() override;
    bool Form_QueryUnload(int mode) override;
    void Form_Unload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LoadHistory();
    // The reads that wait to be stored, after the history the database gave.
    void AddWaitingReads();
    void InitHistoryColumns();
    void SetColumnWidths();
    void ResizeControls();
    // Shows a new event's line first; false when its picture could not be shown.
    bool AddHistoryItem(const RecordedEvent& event);
    bool showPicture(const QString& path);
    void selectFirstLine();
    void refreshClock();
    // Composed beside the window: they reach none of it.
    static void PrintOnlineTable(Printer& printer, const OnlineHistoryModel::Snapshot& lines);
    static void PrintOnlinePage(Printer& printer, int16_t X, int16_t Y, const QString& Title, const QString& PrintedAt,
                                bool Continued);

    std::unique_ptr<CodeReadSubscription> m_reads;
    QTimer* m_clock;
    int m_shownMode = -1;
    int m_shownTamper = -1;
};
