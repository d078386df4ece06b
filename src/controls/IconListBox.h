#pragma once
// A list box whose rows are the icons of one file (icon library, program, DLL or icon file),
// shown as a grid of XIcons columns and YIcons visible rows. Pressing on an icon and moving
// drags its picture (as image data) to the day cells and the cell editor. The icon tool shows
// one; the icons are read by platform/IconLibrary.h.

#include <QListWidget>

class TIconListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TIconListBox(QWidget* parent = nullptr);

    QString FileName() const { return m_FileName; }
    // A name that differs (exactly) from the current one is stored and loaded, then FileChanged.
    void SetFileName(const QString& fileName);

    // Enabled only while FileName names an existing file. Default true.
    bool AutoDisable() const { return m_AutoDisable; }
    void SetAutoDisable(bool value) { m_AutoDisable = value; }
    // Icons are taken from the file when first drawn and then kept; without caching all are taken
    // when the file is loaded. Default true.
    bool EnableCaching() const { return m_EnableCaching; }
    void SetEnableCaching(bool value) { m_EnableCaching = value; }

    // Icons in the file: -1 before anything was loaded, 0 for a file without icons.
    int NumberOfIcons() const { return m_NumberOfIcons; }

    int XIcons() const { return m_XIcons; }
    int YIcons() const { return m_YIcons; }
    // Values below 1 are ignored. Both size the control to show that many icons, with room for
    // the scroll bar below them.
    void SetXIcons(int value);
    void SetYIcons(int value);

    // The picture of row `row`, taken from the file on first request when caching; null when
    // out of range or damaged.
    QImage Icon(int row);
    // The picture a drag carries: that of the selected row.
    QImage SelectedIcon();

    // Row height and column width: the system icon size + 6.
    static int CellSize();

signals:
    void FileChanged();

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
    // Icons are copied out, never moved: a drop must not take the row from the list.
    Qt::DropActions supportedDropActions() const override;

private:
    void Load();
    void Resize();

    QString m_FileName;
    QByteArray m_File;
    bool m_AutoDisable = true;
    bool m_EnableCaching = true;
    int m_NumberOfIcons = -1;
    int m_XIcons = 4;
    int m_YIcons = 1;
};
