#include "app/FloatingPalette.h"

#include "controls/IconListBox.h"
#include "platform/ProgramFolders.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"
#include "platformui/WindowPlacement.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

const QString BonusFolderName = "BonusIcons";
const QString OpenIconCollectionFilter =
    "All Files|*.ICL;*.DLL;*.EXE;*.ICO;*.NIL|ICL Files|*.ICL|DLL Files|*.DLL|EXE Files|*.EXE|"
    "ICO Files|*.ICO|NIL Files|*.NIL|ICL and ICO Files|*.ICL;*.ICO";

// File names from the preferences and the shipped names are written in any case; on a file
// system that tells cases apart, the file that exists under another case is the one meant.
QString ExistingFileIgnoringCase(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || info.exists())
        return fileName;
    const QDir folder = info.dir();
    for (const QString& name : folder.entryList(QDir::Files))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    return fileName;
}

QString ShippedFile(const QString& name)
{
    return ExistingFileIgnoringCase(ResourceFolder() + name);
}

QString MenuName(const QString& caption)
{
    return caption.toUpper().remove('&');
}

} // namespace

TFloatingPalette::TFloatingPalette(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("FloatingPalette");
    // Showing the tool must not take the keyboard from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle("Icons");
    setFont(QFont("Arial", 8));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_MainMenu = new QMenuBar(this);
    m_MainMenu->setObjectName("MainMenu");
    layout->setMenuBar(m_MainMenu);
    m_FileMenu = m_MainMenu->addMenu("File");
    m_FileMenu->setObjectName("FileMenu");
    const auto addItem = [this](const QString& name, const QString& caption, void (TFloatingPalette::*handler)()) {
        QAction* item = m_FileMenu->addAction(caption, this, handler);
        item->setObjectName(name);
        item->setCheckable(true);
        return item;
    };
    addItem("mnuActivitiesICL", "Activities", &TFloatingPalette::mnuActivitiesICLClick);
    addItem("mnuEventsICL", "Events", &TFloatingPalette::mnuEventsICLClick);
    addItem("mnuHolidaysICL", "Holidays", &TFloatingPalette::mnuHolidaysICLClick);
    addItem("mnuMisc1ICL", "Miscellaneous #1", &TFloatingPalette::mnuMisc1ICLClick);
    addItem("mnuMisc2ICL", "Miscellaneous #2", &TFloatingPalette::mnuMisc2ICLClick);
    m_mnuBonusIconSets = addItem("mnuBonusIconSets", "Bonus Icon Sets", &TFloatingPalette::mnuBonusIconSetsClick);
    m_mnuBonusIconSets->setCheckable(false); // it never names the library shown
    m_mnuOtherIconFile = addItem("mnuOtherIconFile", "Other...", &TFloatingPalette::mnuOtherIconFileClick);

    m_Panel1 = new QFrame(this);
    m_Panel1->setObjectName("Panel1");
    auto* panelLayout = new QVBoxLayout(m_Panel1);
    panelLayout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_Panel1);
    m_IconListBox = new TIconListBox(m_Panel1);
    m_IconListBox->setObjectName("IconListBox");
    m_IconListBox->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette white = m_IconListBox->palette();
    white.setColor(QPalette::Base, Qt::white);
    m_IconListBox->setPalette(white);
    m_IconListBox->SetXIcons(3);
    m_IconListBox->SetYIcons(3);
    m_IconListBox->setEnabled(false);
    panelLayout->addWidget(m_IconListBox, 0, Qt::AlignCenter);

    // The client area is 140 x 140 below the menu.
    setFixedSize(140, 140 + m_MainMenu->sizeHint().height());
    FormCreate();
}

TFloatingPalette::~TFloatingPalette()
{
    SavePlacement(*this);
}

void TFloatingPalette::FormCreate()
{
    // Only the position comes from the preferences; the size stays the window's own.
    const QSize own = size();
    RestorePlacement(*this);
    resize(own);
    m_IconListBox->SetFileName(ShippedFile("activity.icl"));
    if (QFileInfo(ResourceFolder() + BonusFolderName).isDir())
        BuildBonusMenu();
}

void TFloatingPalette::BuildBonusMenu()
{
    const QDir folder(ResourceFolder() + BonusFolderName);
    QStringList names;
    for (const QString& file : folder.entryList({"*.icl"}, QDir::Files))
        names.append(file.section('.', 0, 0));
    if (names.isEmpty())
        return;
    names.sort();
    // The item becomes a sub-menu and loses its own click action.
    m_BonusMenu = new QMenu("Bonus Icon Sets", m_FileMenu);
    m_BonusMenu->setObjectName("mnuBonusIconSetsMenu");
    QAction* submenu = m_BonusMenu->menuAction();
    submenu->setObjectName("mnuBonusIconSets");
    m_FileMenu->insertAction(m_mnuBonusIconSets, submenu);
    m_FileMenu->removeAction(m_mnuBonusIconSets);
    m_mnuBonusIconSets->deleteLater();
    m_mnuBonusIconSets = submenu;
    for (const QString& name : names) {
        QAction* item = m_BonusMenu->addAction(name);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { DefaultMenuClick(item); });
    }
}

QString TFloatingPalette::LibraryFile() const
{
    return m_IconListBox->FileName();
}

void TFloatingPalette::ShowShippedLibrary(const QString& name)
{
    m_IconListBox->SetFileName(ShippedFile(name));
    ShowLibrary(m_IconListBox->FileName());
}

void TFloatingPalette::mnuActivitiesICLClick()
{
    ShowShippedLibrary("activity.icl");
}

void TFloatingPalette::mnuEventsICLClick()
{
    ShowShippedLibrary("events.icl");
}

void TFloatingPalette::mnuHolidaysICLClick()
{
    ShowShippedLibrary("holiday.icl");
}

void TFloatingPalette::mnuMisc1ICLClick()
{
    ShowShippedLibrary("misc1.icl");
}

void TFloatingPalette::mnuMisc2ICLClick()
{
    ShowShippedLibrary("misc2.icl");
}

void TFloatingPalette::DefaultMenuClick(QAction* item)
{
    ShowShippedLibrary(BonusFolderName + "/" + item->text() + ".icl");
}

void TFloatingPalette::mnuBonusIconSetsClick()
{
    ShowInfo("No Bonus Sets Found!\n\nFurther icon sets are icon libraries (.icl files) in the folder \"" +
             QDir::toNativeSeparators(ResourceFolder() + BonusFolderName) +
             "\". Copy libraries there, or make your own from icon files with the command mvicl, then "
             "start the program again; each library appears under \"Bonus Icon Sets\".");
}

void TFloatingPalette::mnuOtherIconFileClick()
{
    TFileDialogRequest request;
    request.Title = "Open";
    request.Filter = OpenIconCollectionFilter;
    request.DefaultExtension = "ICL";
    request.InitialFolder = ResourceFolder();
    request.SelectedFilter = 6; // "ICL and ICO Files"
    QString chosen = UiServices().GetOpenFileName(request);
    if (!chosen.isEmpty())
        m_IconListBox->SetFileName(chosen);
    while (m_IconListBox->NumberOfIcons() == 0) {
        ShowInfo("No icons found in " + chosen);
        const QString again = UiServices().GetOpenFileName(request);
        if (again.isEmpty())
            break;
        chosen = again;
        m_IconListBox->SetFileName(chosen);
    }
    if (m_IconListBox->NumberOfIcons() == 0)
        m_IconListBox->SetFileName(ShippedFile("Misc1.icl"));
    ShowLibrary(m_IconListBox->FileName());
}

void TFloatingPalette::ShowLibrary(const QString& requested)
{
    const QString fileName = ExistingFileIgnoringCase(requested);
    QString name = MenuName(QFileInfo(fileName).completeBaseName());
    static const QList<std::pair<QString, QString>> captions{{"ACTIVITY", "ACTIVITIES"},
                                                             {"HOLIDAY", "HOLIDAYS"},
                                                             {"MISC1", "MISCELLANEOUS #1"},
                                                             {"MISC2", "MISCELLANEOUS #2"}};
    for (const auto& [file, caption] : captions)
        if (name == file)
            name = caption;
    bool marked = false;
    const auto mark = [&](const QList<QAction*>& items) {
        for (QAction* item : items) {
            const bool match = MenuName(item->text()) == name;
            item->setChecked(match);
            marked = marked || match;
        }
    };
    mark(m_FileMenu->actions());
    if (m_BonusMenu)
        mark(m_BonusMenu->actions());
    const bool exists = QFileInfo(fileName).isFile();
    if (!marked && !fileName.isEmpty() && exists)
        m_mnuOtherIconFile->setChecked(true);
    if (exists && fileName.compare(m_IconListBox->FileName(), Qt::CaseInsensitive) != 0)
        m_IconListBox->SetFileName(fileName);
    if (m_IconListBox->count() == 0)
        m_IconListBox->SetFileName(ShippedFile("Misc1.icl"));
}

void TFloatingPalette::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit Hidden();
}
