#pragma once
// The texture browser ("Load Texture Image"): a folder list and the picture files in it; picking
// a file loads it as the texture of a preview special-effects text. The properties dialog copies
// its sample into the preview first and takes the preview's texture on Ok.

#include <QDialog>

class QComboBox;
class QListWidget;
class TGSuperText;

class TSuperTextBrushImageBrowser : public QDialog {
    Q_OBJECT
public:
    explicit TSuperTextBrushImageBrowser(QWidget* parent = nullptr);

    // The file masks the list shows.
    static const QStringList& FileMasks();
    // Where the browser opens without a previous file: the program folder's "bmbrush", else its
    // "Textures", else the program folder itself.
    static QString StartFolder(const QString& programFolder);
    static QString StartFolder();

    TGSuperText& Example() { return *m_Example; }
    QString Folder() const { return m_Folder; }
    // Full path of the selected file; empty when none is selected.
    QString SelectedFile() const;

    void OpenFolder(const QString& folder);
    // Opens the file's folder and selects the file, which loads it.
    void SelectFile(const QString& fileName);

private:
    void FileSelected();
    // The picture in `fileName` as a texture; null when it cannot be read.
    static QImage LoadTexture(const QString& fileName);

    QString m_Folder;
    QComboBox* m_Drives;
    QListWidget* m_Folders;
    QListWidget* m_Files;
    TGSuperText* m_Example;
};
