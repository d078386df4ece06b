#pragma once
// The recent-files list: the most recently opened calendar files, most recent first, shown as
// numbered items ("&1 C:/path/file.MVF") at the end of a menu, stored in an INI section as
// "F0", "F1", ... A click on an item reports its file name.

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

// A menu item showing list entry Number (1-based).
class TMRUMenuItem : public QAction {
    Q_OBJECT
public:
    TMRUMenuItem(const QString& caption, int number, QObject* parent);
    int Number() const { return m_Number; }

private:
    int m_Number;
};

class TMRUFileList : public QObject {
    Q_OBJECT
public:
    explicit TMRUFileList(QObject* owner = nullptr);
    // Saves the list when AutoSave is on.
    ~TMRUFileList() override;

    int Maximum() const { return m_Maximum; }
    void SetMaximum(int maximum);
    bool RemoveOnClick() const { return m_RemoveOnClick; }
    void SetRemoveOnClick(bool remove) { m_RemoveOnClick = remove; }
    bool UseSubmenu() const { return m_UseSubmenu; }
    void SetUseSubmenu(bool use);
    QString SubmenuName() const { return m_SubmenuName; }
    void SetSubmenuName(const QString& name);
    QMenu* FileMenu() const { return m_FileMenu; }
    void SetFileMenu(QMenu* menu);
    bool AutoSave() const { return m_AutoSave; }
    void SetAutoSave(bool autoSave) { m_AutoSave = autoSave; }
    QString AutoSaveName() const { return m_AutoSaveName; }
    void SetAutoSaveName(const QString& fileName) { m_AutoSaveName = fileName; }
    QString AutoSaveKey() const { return m_AutoSaveKey; }
    void SetAutoSaveKey(const QString& section) { m_AutoSaveKey = section; }

    // Called with the clicked entry's file name.
    std::function<void(TMRUFileList& sender, const QString& fileName)> OnMRUItemClick;

    const QStringList& Files() const { return m_Files; }
    // Puts the file first (moving it when listed, ignoring letter case); drops the oldest beyond
    // Maximum.
    void AddFile(const QString& fileName);
    // True when the list was read, respectively written.
    bool LoadList();
    bool SaveList();

    // The click on the entry numbered `number`, as its menu item runs it.
    void ItemClicked(int number);

private:
    void RebuildMenu();
    void RemoveMenuItems();

    int m_Maximum = 5;
    bool m_RemoveOnClick = true;
    bool m_UseSubmenu = false;
    QString m_SubmenuName = "Reopen";
    QPointer<QMenu> m_FileMenu;
    bool m_AutoSave = true;
    QString m_AutoSaveName = "\\Software\\My Application";
    QString m_AutoSaveKey = "MRU Items";
    QStringList m_Files;
    QList<QPointer<QAction>> m_MenuActions; // the separator and the entries added to the file menu
    QPointer<QMenu> m_Submenu;
};
