#include "app/MRUFileList.h"

#include "platform/IniFile.h"

TMRUMenuItem::TMRUMenuItem(const QString& caption, int number, QObject* parent)
    : QAction(caption, parent)
    , m_Number(number)
{
}

TMRUFileList::TMRUFileList(QObject* owner)
    : QObject(owner)
{
}

TMRUFileList::~TMRUFileList()
{
    if (m_AutoSave)
        SaveList();
    RemoveMenuItems();
}

void TMRUFileList::SetMaximum(int maximum)
{
    m_Maximum = std::clamp(maximum, 0, 255);
    if (m_Files.size() > m_Maximum) {
        m_Files.resize(m_Maximum);
        RebuildMenu();
    }
}

void TMRUFileList::SetUseSubmenu(bool use)
{
    if (use == m_UseSubmenu)
        return;
    m_UseSubmenu = use;
    RebuildMenu();
}

void TMRUFileList::SetSubmenuName(const QString& name)
{
    if (name == m_SubmenuName)
        return;
    m_SubmenuName = name;
    if (m_UseSubmenu)
        RebuildMenu();
}

void TMRUFileList::SetFileMenu(QMenu* menu)
{
    RemoveMenuItems();
    m_FileMenu = menu;
    RebuildMenu();
}

void TMRUFileList::AddFile(const QString& fileName)
{
    for (int i = 0; i < m_Files.size(); ++i) {
        if (m_Files[i].compare(fileName, Qt::CaseInsensitive) == 0) {
            m_Files.removeAt(i);
            break;
        }
    }
    m_Files.prepend(fileName);
    while (m_Files.size() > m_Maximum)
        m_Files.removeLast();
    RebuildMenu();
}

bool TMRUFileList::LoadList()
{
    if (m_AutoSaveName.isEmpty() || m_AutoSaveKey.isEmpty())
        return false;
    m_Files.clear();
    // A list edited by hand may hold empty entries, the same file twice or more files than the
    // list keeps: those are left out, as AddFile would leave them out.
    for (const auto& entry : TIniFile(m_AutoSaveName).ReadSection(m_AutoSaveKey)) {
        if (m_Files.size() < m_Maximum && !entry.second.isEmpty() &&
            !m_Files.contains(entry.second, Qt::CaseInsensitive))
            m_Files += entry.second;
    }
    RebuildMenu();
    return true;
}

bool TMRUFileList::SaveList()
{
    if (m_AutoSaveName.isEmpty() || m_AutoSaveKey.isEmpty())
        return false;
    TIniFile ini(m_AutoSaveName);
    ini.BeginUpdate();
    ini.EraseSection(m_AutoSaveKey);
    for (int i = 0; i < m_Files.size(); ++i)
        ini.WriteString(m_AutoSaveKey, QString("F%1").arg(i), m_Files[i]);
    return ini.EndUpdate();
}

void TMRUFileList::ItemClicked(int number)
{
    if (number < 1 || number > m_Files.size())
        return;
    const QString fileName = m_Files[number - 1];
    if (m_RemoveOnClick) {
        m_Files.removeAt(number - 1);
        RebuildMenu();
    }
    if (OnMRUItemClick)
        OnMRUItemClick(*this, fileName);
}

void TMRUFileList::RemoveMenuItems()
{
    for (const QPointer<QAction>& action : std::as_const(m_MenuActions)) {
        if (m_FileMenu && action)
            m_FileMenu->removeAction(action);
        delete action.data();
    }
    m_MenuActions.clear();
    delete m_Submenu.data(); // with the entries it holds
}

void TMRUFileList::RebuildMenu()
{
    if (!m_FileMenu)
        return;
    RemoveMenuItems();
    if (m_Files.isEmpty())
        return;
    m_MenuActions += m_FileMenu->addSeparator();
    QMenu* target = m_FileMenu;
    if (m_UseSubmenu) {
        m_Submenu = new QMenu(m_SubmenuName, m_FileMenu);
        m_FileMenu->addMenu(m_Submenu);
        target = m_Submenu;
    }
    for (int i = 0; i < m_Files.size(); ++i) {
        auto* item = new TMRUMenuItem(QString("&%1 %2").arg(i + 1).arg(m_Files[i]), i + 1, target);
        // Queued: the click may rebuild the menu, which deletes the item being triggered.
        connect(
            item, &QAction::triggered, this, [this, number = i + 1] { ItemClicked(number); }, Qt::QueuedConnection);
        target->addAction(item);
        m_MenuActions += item;
    }
}
