#pragma once
// The picture browser: a drive choice, a folder list and a list of the picture files of the
// chosen folder, a preview of the selected file, and the two exclusive options "Stretch" and
// "AutoSize". The preview's picture is what a picture object takes on Ok (TGImage::LoadImage).
// Files the preview cannot read leave it empty; for bitmaps and metafiles the user is told.
// The drive box shows the current folder's whole path and the folders above it. The browser
// starts in the folder of the last picture loaded (kept in MV.ini), else in the working folder.

#include "imaging/Picture.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QScrollArea;
class TSmartImage;

class TGImageBrowser : public QDialog {
    Q_OBJECT
public:
    // The file mask of the file list.
    static const QStringList FileMask;
    static constexpr int HelpTopic = 40003;

    explicit TGImageBrowser(QWidget* parent = nullptr);

    // The folder of the last picture loaded as MV.ini keeps it; empty when none is kept or the
    // folder kept is not an existing folder's absolute path.
    static QString RememberedFolder();
    // Keeps the folder of `fileName` in MV.ini for the next browser.
    static void RememberFolderOf(const QString& fileName);

    QString Folder() const { return m_Folder; }
    // Shows `folder` in the folder and file lists; the preview is cleared.
    void SetFolder(const QString& folder);
    // The selected file's full path; empty when none is selected.
    QString FileName() const;
    // Selects `name` in the file list (which loads the preview); false when it is not listed.
    bool SelectFile(const QString& name);

    // The picture of the preview.
    const TPicture& PreviewPicture() const;
    bool StretchChecked() const;
    void SetStretchChecked(bool value);
    bool AutoSizeChecked() const;
    void SetAutoSizeChecked(bool value);

private:
    void FillDriveBox();
    void FillFolderList();
    void FillFileList();
    void LoadPreview();
    void ApplyOptions();

    QString m_Folder;
    QComboBox* m_DriveComboBox1;
    QListWidget* m_DirectoryListBox1;
    QListWidget* m_FileListBox1;
    QScrollArea* m_ScrollBox1;
    TSmartImage* m_Image1;
    TSmartImage* m_SmartImage1;
    QCheckBox* m_StretchCheck;
    QCheckBox* m_AutoSizeCheck;
};
