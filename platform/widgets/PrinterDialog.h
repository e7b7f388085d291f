#pragma once

#include "platform/printing/PrintDialogs.h"
#include "platform/printing/PrintSystem.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The program's print dialog: a queue of the print system or a PDF file, and
// the copies. The queues are asked for beside the window's thread, so the
// dialog stands and takes a file at once, whatever the print system does; a
// print system that is not running or does not answer is named beside the
// file choice, which is then the only one. Enter prints, Esc cancels.
class PrinterDialog : public QDialog {
    Q_OBJECT

public:
    explicit PrinterDialog(QWidget* parent = nullptr);

    // What was chosen; valid once the dialog was accepted.
    ChosenPrinter choice() const;

    QRadioButton* optPrinter;
    QComboBox* cmbPrinters;
    QRadioButton* optFile;
    QLineEdit* txtFile;
    QPushButton* cmdChoose;
    QLabel* lblNote;
    QLabel* lblCopies;
    QSpinBox* txtCopies;
    QPushButton* cmdPrint;
    QPushButton* cmdCancel;

public slots:
    void accept() override;

private:
    void askForQueues();
    void takeQueues(const PrintSystem::Queues& queues);
    void chooseFile();
    void useFile();
    void showChoice();

    QButtonGroup* m_choices;
    // The user went for a file before the queues came: they do not take it back.
    bool m_fileWanted = false;
};
