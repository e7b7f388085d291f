#include "platform/widgets/PrinterDialog.h"

#include "platform/BackgroundTask.h"
#include "platform/files/SaveFileDialogs.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <memory>

PrinterDialog::PrinterDialog(QWidget* parent)
    : QDialog(parent), optPrinter(new QRadioButton(QStringLiteral("&Printer"), this)), cmbPrinters(new QComboBox(this)),
      optFile(new QRadioButton(QStringLiteral("PDF &file"), this)), txtFile(new QLineEdit(this)),
      cmdChoose(new QPushButton(QStringLiteral("C&hoose..."), this)), lblNote(new QLabel(this)),
      lblCopies(new QLabel(QStringLiteral("&Copies:"), this)), txtCopies(new QSpinBox(this)),
      cmdPrint(new QPushButton(QStringLiteral("Print"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this)), m_choices(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("PrinterDialog"));
    setWindowTitle(QStringLiteral("Print"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    optPrinter->setObjectName(QStringLiteral("optPrinter"));
    cmbPrinters->setObjectName(QStringLiteral("cmbPrinters"));
    optFile->setObjectName(QStringLiteral("optFile"));
    txtFile->setObjectName(QStringLiteral("txtFile"));
    cmdChoose->setObjectName(QStringLiteral("cmdChoose"));
    lblNote->setObjectName(QStringLiteral("lblNote"));
    txtCopies->setObjectName(QStringLiteral("txtCopies"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    m_choices->addButton(optPrinter);
    m_choices->addButton(optFile);
    // A choice's mnemonic takes the user straight to what it asks for, before the first key typed.
    optPrinter->setFocusProxy(cmbPrinters);
    optFile->setFocusProxy(txtFile);
    cmbPrinters->setMinimumContentsLength(24);
    cmbPrinters->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    txtFile->setMinimumWidth(260);
    txtCopies->setRange(1, 999);
    lblCopies->setBuddy(txtCopies);
    cmdPrint->setDefault(true);

    auto* choices = new QGridLayout;
    choices->addWidget(optPrinter, 0, 0);
    choices->addWidget(cmbPrinters, 0, 1, 1, 2);
    choices->addWidget(optFile, 1, 0);
    choices->addWidget(txtFile, 1, 1);
    choices->addWidget(cmdChoose, 1, 2);
    choices->addWidget(lblNote, 2, 1, 1, 2);
    choices->addWidget(lblCopies, 3, 0);
    auto* copies = new QHBoxLayout;
    copies->addWidget(txtCopies);
    copies->addStretch(1);
    choices->addLayout(copies, 3, 1, 1, 2);
    choices->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    // The dialog grows with the note beside the file choice.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addLayout(choices);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    setTabOrder(cmbPrinters, txtFile);
    setTabOrder(txtFile, cmdChoose);
    setTabOrder(cmdChoose, txtCopies);
    setTabOrder(txtCopies, cmdPrint);
    setTabOrder(cmdPrint, cmdCancel);

    connect(cmdPrint, &QPushButton::clicked, this, &PrinterDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &PrinterDialog::reject);
    connect(cmdChoose, &QPushButton::clicked, this, &PrinterDialog::chooseFile);
    connect(m_choices, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* button) {
        m_fileWanted = button == optFile;
        showChoice();
    });
    connect(txtFile, &QLineEdit::textEdited, this, &PrinterDialog::useFile);
    connect(cmbPrinters, &QComboBox::activated, this, [this] {
        m_fileWanted = false;
        optPrinter->setChecked(true);
        showChoice();
    });

    FormTranslator(BinaryDict()).TranslateForm(this);
    askForQueues();
}

ChosenPrinter PrinterDialog::choice() const
{
    if (optFile->isChecked())
        return pdfFileChosen(QFileInfo(txtFile->text().trimmed()).absoluteFilePath());
    return queueChosen(cmbPrinters->currentText(), txtCopies->value());
}

void PrinterDialog::accept()
{
    if (optPrinter->isChecked()) {
        if (cmbPrinters->currentIndex() >= 0)
            QDialog::accept();
        return;
    }
    if (txtFile->text().trimmed().isEmpty())
        chooseFile();
    if (!txtFile->text().trimmed().isEmpty())
        QDialog::accept();
}

void PrinterDialog::askForQueues()
{
    optPrinter->setEnabled(false);
    optFile->setChecked(true);
    lblNote->setText(BinaryDict().Translate(QStringLiteral("Asking the print system for its printers...")));
    showChoice();
    auto answer = std::make_shared<PrintSystem::Queues>();
    BackgroundTask::runThen(
        this, [answer] { *answer = PrintSystem::queues(); },
        [this, answer](std::exception_ptr) { takeQueues(*answer); });
}

void PrinterDialog::takeQueues(const PrintSystem::Queues& queues)
{
    cmbPrinters->clear();
    cmbPrinters->addItems(queues.names);
    if (!queues.defaultName.isEmpty())
        cmbPrinters->setCurrentText(queues.defaultName);
    QString why;
    if (queues.state != PrintSystem::State::Answered)
        why = queues.failure;
    else if (queues.names.isEmpty())
        why = BinaryDict().Translate(QStringLiteral("The print system has no printers."));
    if (why.isEmpty()) {
        lblNote->clear();
        optPrinter->setEnabled(true);
        if (!m_fileWanted)
            optPrinter->setChecked(true);
    } else {
        lblNote->setText(why + QLatin1Char('\n') +
                         BinaryDict().Translate(QStringLiteral("Only a PDF file can be printed.")));
    }
    lblNote->setVisible(!lblNote->text().isEmpty());
    showChoice();
    // Up and Down choose among the queues at once; Enter prints.
    if (optPrinter->isChecked())
        cmbPrinters->setFocus();
}

void PrinterDialog::chooseFile()
{
    useFile();
    SaveFileDialogs::Request request;
    request.filter = BinaryDict().Translate(QStringLiteral("PDF files (*.pdf)"));
    request.defaultSuffix = QStringLiteral("pdf");
    if (const std::optional<QString> path = saveFileDialogs().chooseSaveFile(request); path && !path->isEmpty())
        txtFile->setText(*path);
}

void PrinterDialog::useFile()
{
    m_fileWanted = true;
    optFile->setChecked(true);
    showChoice();
}

void PrinterDialog::showChoice()
{
    const bool printer = optPrinter->isChecked();
    cmbPrinters->setEnabled(optPrinter->isEnabled());
    // A PDF file holds the document once.
    lblCopies->setEnabled(printer);
    txtCopies->setEnabled(printer);
}
