#include "employees/frmPicture.h"

#include "core/AppState.h"
#include "core/Messages.h"
#include "employees/EmployeeHandOver.h"
#include "employees/PictureFiles.h"
#include "employees/frmDetails.h"
#include "platform/ProgramFolder.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Twips.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStorageInfo>

namespace {

constexpr int PathRole = Qt::UserRole;

void placeTwips(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width), Twips::toPixels(height));
}

}

frmPicture::frmPicture()
{
    setWindowTitle(QStringLiteral("Add Picture"));
    ChosenDrive = new QComboBox(this);
    ChosenDir = new QListWidget(this);
    ChosenFile = new QListWidget(this);
    ChosenFile->setSelectionMode(QAbstractItemView::SingleSelection);
    NewImage = new PictureBox(this);
    NewImage->setFrameShape(QFrame::Box);
    Accept = new QPushButton(QStringLiteral("Add"), this);
    Accept->setToolTip(QStringLiteral("Add This Picture..."));
    Quit = new QPushButton(QStringLiteral("Cancel"), this);
    placeTwips(ChosenDrive, 360, 240, 2655, 315);
    placeTwips(ChosenDir, 360, 615, 2655, 1440);
    placeTwips(ChosenFile, 360, 2130, 2655, 1260);
    placeTwips(NewImage, 3495, 345, 1965, 2505);
    placeTwips(Accept, 2520, 3720, 1335, 375);
    placeTwips(Quit, 4200, 3720, 1335, 375);
    setFixedSize(Twips::toPixels(5800), Twips::toPixels(4500));

    connect(ChosenDrive, &QComboBox::activated, this,
            [this](int index) { guarded(53, [&] { setDrive(ChosenDrive->itemData(index).toString()); }); });
    connect(ChosenDir, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { guarded(52, [&] { setFolder(item->data(PathRole).toString()); }); });
    // A file chosen by the mouse or the keys is clicked; the list emptied or
    // left without a choice has none.
    connect(ChosenFile, &QListWidget::itemSelectionChanged, this, [this] {
        if (fileSelected())
            ChosenFile_Click();
        else
            RefreshAcceptButton();
    });
    connect(ChosenFile, &QListWidget::itemDoubleClicked, this, [this] { ChosenFile_DblClick(); });
    connect(Accept, &QPushButton::clicked, this, [this] { Accept_Click(); });
    connect(Quit, &QPushButton::clicked, this, [this] { Quit_Click(); });
    // The window sees Enter and Esc before its lists do.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this] { Accept_Click(); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, [this] { Quit_Click(); });
}

void frmPicture::Form_Load()
{
    m_listsLoading = true;
    guarded(58, [this] {
        FormTranslator(BinaryDict()).TranslateForm(this);
        fillDrives();
        const QString start = PictureFiles::startFolder();
        if (QFileInfo(start).isDir()) {
            setFolder(start);
            CheckFileExist();
        } else {
            // Without its folder the chooser starts beside the program, and preselects nothing.
            appState().PictureFolder = ProgramFolder::path();
            setFolder(ProgramFolder::path());
        }
    });
    m_listsLoading = false;
}

void frmPicture::fillDrives()
{
    ChosenDrive->clear();
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid())
            ChosenDrive->addItem(volume.rootPath(), volume.rootPath());
    }
}

void frmPicture::setDrive(const QString& root)
{
    if (m_listsLoading)
        return;
    const QStorageInfo volume(root);
    if (!volume.isValid() || !volume.isReady() || !QFileInfo(root).isReadable()) {
        ShowWarning(Translate(QStringLiteral("This Device unavailable.")));
        return;
    }
    setFolder(volume.rootPath());
    RefreshAcceptButton();
}

void frmPicture::setFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        raiseError(Err::PathNotFound, QStringLiteral("Path not found: ") + folder);
    m_folder = dir.absolutePath();
    // The drive list follows the folder's drive.
    const int drive = ChosenDrive->findData(QStorageInfo(m_folder).rootPath());
    if (drive >= 0)
        ChosenDrive->setCurrentIndex(drive);
    fillFolders();
    fillFiles();
    RefreshAcceptButton();
}

void frmPicture::fillFolders()
{
    ChosenDir->clear();
    // The folders from the root down to this one, then the ones inside it.
    QStringList chain;
    for (QDir up(m_folder);;) {
        chain.prepend(up.absolutePath());
        if (!up.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = QDir(path).isRoot() ? path : QDir(path).dirName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, ChosenDir);
        item->setData(PathRole, path);
        ++depth;
    }
    ChosenDir->setCurrentRow(static_cast<int>(chain.size()) - 1);
    const QDir dir(m_folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, ChosenDir);
        item->setData(PathRole, dir.absoluteFilePath(name));
    }
}

void frmPicture::fillFiles()
{
    ChosenFile->clear();
    const QDir dir(m_folder);
    ChosenFile->addItems(dir.entryList(PictureFiles::patterns(), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmPicture::CheckFileExist()
{
    guarded(57, [this] {
        const frmDetails* editor = FormInstance<frmDetails>::find();
        const QString own = editor ? VbText::trim(editor->PictureID->text()) : QString();
        if (own.isEmpty() || !QFileInfo(own).isFile())
            return;
        // The very file, not merely one of the same name.
        for (int i = 0; i < ChosenFile->count(); ++i) {
            QListWidgetItem* item = ChosenFile->item(i);
            if (PictureFiles::sameFile(PictureFiles::joinPath(m_folder, item->text()), own)) {
                ChosenFile->setCurrentItem(item);
                return;
            }
        }
    });
}

void frmPicture::BuildChosenPath()
{
    guarded(61, [this] {
        if (const QListWidgetItem* item = ChosenFile->currentItem())
            ChosenPath = PictureFiles::joinPath(m_folder, item->text());
    });
}

bool frmPicture::fileSelected() const
{
    return ChosenFile->currentItem() && ChosenFile->currentItem()->isSelected();
}

void frmPicture::ChosenFile_Click()
{
    guarded(54, [this] {
        BuildChosenPath();
        PictureBox preview;
        // A file that is no picture leaves the preview and Add as they were.
        if (!preview.loadPicture(ChosenPath))
            raiseError(Err::InvalidCall,
                       Translate(QStringLiteral("Invalid picture")) + QStringLiteral(": ") + ChosenPath);
        NewImage->setPicture(preview.picture());
        RefreshAcceptButton();
    });
}

void frmPicture::ChosenFile_DblClick()
{
    guarded(55, [this] {
        BuildChosenPath();
        AcceptPicture();
    });
}

void frmPicture::RefreshAcceptButton()
{
    guarded(62, [this] {
        const bool chosen = fileSelected();
        Accept->setEnabled(chosen);
        if (!chosen)
            NewImage->setPicture(QPixmap());
    });
}

void frmPicture::Accept_Click()
{
    guarded(51, [this] {
        QApplication::processEvents();
        AcceptPicture();
    });
}

void frmPicture::AcceptPicture()
{
    guarded(60, [this] {
        employeeHandOver().CurPictureFile = VbText::trim(ChosenPath);
        appState().PictureFolder = m_folder;
        unloadForm();
    });
}

void frmPicture::Quit_Click()
{
    guarded(59, [this] { unloadForm(); });
}
