#include "effects/SuperTextBrushImageBrowser.h"

#include "effects/GSuperText.h"
#include "objects/DialogButtons.h"
#include "platform/ProgramFolders.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int SuperTextBrushImageBrowserHelpTopic = 40012;

} // namespace

const QStringList& TSuperTextBrushImageBrowser::FileMasks()
{
    static const QStringList masks{"*.BMP", "*.DIB", "*.JPG", "*.JIF", "*.PCX", "*.RLE", "*.TGA", "*.ICO"};
    return masks;
}

QString TSuperTextBrushImageBrowser::StartFolder(const QString& programFolder)
{
    for (const char* name : {"bmbrush", "Textures"}) {
        if (QFileInfo(programFolder + name).isDir())
            return programFolder + name + "/";
    }
    return programFolder;
}

QString TSuperTextBrushImageBrowser::StartFolder()
{
    return StartFolder(ResourceFolder());
}

TSuperTextBrushImageBrowser::TSuperTextBrushImageBrowser(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setWindowTitle("Load Texture Image");
    QFont dialogFont("Arial");
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    m_Drives = new QComboBox(this);
    m_Drives->setObjectName("DriveComboBox1");
    m_Drives->setMinimumSize(180, 24);
    m_Drives->setWhatsThis("Click here to select a drive");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            m_Drives->addItem(volume.rootPath());
    }
    connect(m_Drives, &QComboBox::activated, this, [this](int index) { OpenFolder(m_Drives->itemText(index)); });

    m_Folders = new QListWidget(this);
    m_Folders->setObjectName("DirectoryListBox1");
    m_Folders->setMinimumSize(180, 200);
    m_Folders->setWhatsThis("Click here to select a directory");
    connect(m_Folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { OpenFolder(QDir(m_Folder).absoluteFilePath(item->text())); });

    m_Files = new QListWidget(this);
    m_Files->setObjectName("FileListBox1");
    m_Files->setMinimumSize(160, 230);
    m_Files->setWhatsThis("Click here to select a file");
    connect(m_Files, &QListWidget::currentRowChanged, this, [this] { FileSelected(); });

    auto* scroll = new QScrollArea(this);
    // The example stands on a large white area that the user scrolls.
    scroll->setObjectName("ExampleBox");
    scroll->setMinimumSize(224, 230);
    QPalette white = scroll->palette();
    white.setColor(QPalette::Window, Qt::white);
    scroll->setPalette(white);
    scroll->setBackgroundRole(QPalette::Window);
    auto* area = new QWidget;
    area->setAutoFillBackground(true);
    area->setPalette(white);
    area->resize(600, 300);
    m_Example = new TGSuperText(nullptr);
    m_Example->setObjectName("SuperTextExample");
    m_Example->setParent(area);
    scroll->setWidget(area);

    // The lists scroll sideways for long names: they keep their design width, the folders that
    // of the drive list above them when it is wider.
    m_Folders->setFixedWidth(std::max(m_Folders->minimumWidth(), m_Drives->sizeHint().width()));
    m_Files->setFixedWidth(m_Files->minimumWidth());
    auto* folders = new QVBoxLayout;
    folders->addWidget(m_Drives);
    folders->addWidget(m_Folders, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(folders);
    columns->addWidget(m_Files);
    columns->addWidget(scroll, 1);
    auto* layout = new QVBoxLayout;
    layout->addLayout(columns, 1);
    layout->addLayout(AddDialogButtons(*this, SuperTextBrushImageBrowserHelpTopic));
    SetFormLayout(*this, layout, {596, 285});
    findChild<QPushButton*>("CancelButton")->setObjectName("Cancelbutton");
    m_Files->setFocus();
    CenterDialog(*this);
}

void TSuperTextBrushImageBrowser::OpenFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return;
    m_Folder = dir.absolutePath();
    m_Folders->clear();
    if (!dir.isRoot())
        m_Folders->addItem("..");
    m_Folders->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    m_Files->blockSignals(true);
    m_Files->clear();
    m_Files->addItems(dir.entryList(FileMasks(), QDir::Files, QDir::Name | QDir::IgnoreCase));
    m_Files->blockSignals(false);
}

void TSuperTextBrushImageBrowser::SelectFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    OpenFolder(info.absolutePath());
    const QList<QListWidgetItem*> found = m_Files->findItems(info.fileName(), Qt::MatchExactly);
    if (!found.isEmpty())
        m_Files->setCurrentItem(found.first());
}

QString TSuperTextBrushImageBrowser::SelectedFile() const
{
    const QListWidgetItem* item = m_Files->currentItem();
    return item ? QDir(m_Folder).absoluteFilePath(item->text()) : QString();
}

QImage TSuperTextBrushImageBrowser::LoadTexture(const QString& fileName)
{
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true);
    // Textures tile the letters; a picture beyond any screen is refused rather than decoded.
    if (const QSize size = reader.size(); size.isValid() && qint64(size.width()) * size.height() > 4096 * 4096)
        return {};
    return reader.read();
}

void TSuperTextBrushImageBrowser::FileSelected()
{
    const QString fileName = SelectedFile();
    if (!fileName.isEmpty()) {
        const QImage texture = LoadTexture(fileName);
        if (texture.isNull()) {
            const QString extension = QFileInfo(fileName).suffix().toUpper();
            if (extension == "BMP" || extension == "WMF")
                UiServices().ShowMessage("Error loading file!", "Error", TMessageIcon::Error);
        }
        m_Example->SetImage(texture);
        m_Example->update();
    }
    if (m_Files->isEnabled() && isVisible())
        m_Files->setFocus();
}
