#pragma once

#include "platform/forms/Form.h"

class PictureBox;
class QComboBox;
class QListWidget;
class QPushButton;

// "Add Picture": the user picks an employee's picture file from a drive, a
// folder and its picture files, with a preview. The file taken goes back in
// CurPictureFile and its folder in PictureFolder; Cancel leaves both as they were.
class frmPicture : public Form {
    Q_OBJECT
public:
    frmPicture();

    // Selects the shown employee's own picture when the file list holds that very file.
    void CheckFileExist();

    // The folder the lists show.
    QString folderPath() const { return m_folder; }
    void setFolder(const QString& folder);
    void setDrive(const QString& root);

    void ChosenFile_Click();
    void ChosenFile_DblClick();
    void Accept_Click();
    void Quit_Click();

    QComboBox* ChosenDrive;
    QListWidget* ChosenDir;
    QListWidget* ChosenFile;
    PictureBox* NewImage;
    QPushButton* Accept;
    QPushButton* Quit;

    // The file last clicked; it survives a change of folder.
    QString ChosenPath;

protected:
    void Form_Load() override;

private:
    void fillDrives();
    void fillFolders();
    void fillFiles();
    bool fileSelected() const;
    void BuildChosenPath();
    void RefreshAcceptButton();
    void AcceptPicture();

    QString m_folder;
    bool m_listsLoading = false;
};
