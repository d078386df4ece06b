#include "objects/GImageBrowser.h"

#include "imaging/ImageFile.h"
#include "objects/DialogButtons.h"
#include "objects/ScreenCursor.h"
#include "objects/SmartImage.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolders.h"
#include "platformui/UiServices.h"
#include "platformui/Utility.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QAbstractItemView>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScrollArea>
#include <QVBoxLayout>

const QStringList TGImageBrowser::FileMask{"*.BMP", "*.DIB", "*.JPG", "*.JIF", "*.PCX",
                                           "*.RLE", "*.TGA", "*.WMF", "*.ICO"};

namespace {

const char* const ErrorLoadingFile = "Error loading file!";
constexpr int ListWidth = 180;

// Where MV.ini keeps the folder of the last picture loaded.
const char* const FolderSection = "Pictures";
const char* const FolderKey = "Folder";

} // namespace

TGImageBrowser::TGImageBrowser(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Load Image File ");
    SetScreenCursor(crDefault);

    m_DriveComboBox1 = new QComboBox(this);
    m_DriveComboBox1->setObjectName("DriveComboBox1");
    m_DriveComboBox1->setMinimumSize(ListWidth, 22);
    // Its width does not follow the path it shows: a long path is cut short in the box, and its
    // tip and drop-down list show it whole.
    m_DriveComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_DriveComboBox1->setMinimumContentsLength(16);
    connect(m_DriveComboBox1, &QComboBox::textActivated, this, [this](const QString& drive) { SetFolder(drive); });

    m_DirectoryListBox1 = new QListWidget(this);
    m_DirectoryListBox1->setObjectName("DirectoryListBox1");
    m_DirectoryListBox1->setMinimumSize(ListWidth, 110);
    connect(m_DirectoryListBox1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { SetFolder(QDir(m_Folder).absoluteFilePath(item->text())); });

    m_FileListBox1 = new QListWidget(this);
    m_FileListBox1->setObjectName("FileListBox1");
    m_FileListBox1->setMinimumSize(ListWidth, 108);
    connect(m_FileListBox1, &QListWidget::currentRowChanged, this, [this] { LoadPreview(); });

    m_ScrollBox1 = new QScrollArea(this);
    m_ScrollBox1->setObjectName("ScrollBox1");
    m_ScrollBox1->setMinimumSize(260, 252);
    m_Image1 = new TSmartImage;
    m_Image1->setObjectName("Image1");
    m_Image1->SetMaintainAspect(false);
    m_ScrollBox1->setWidget(m_Image1);
    m_SmartImage1 = new TSmartImage(this);
    m_SmartImage1->setObjectName("SmartImage1");
    m_SmartImage1->hide();

    auto* options = new QGroupBox(" Options ", this);
    options->setObjectName("GroupBox1");
    m_StretchCheck = new QCheckBox("Stretch", options);
    m_StretchCheck->setObjectName("StretchCheck");
    m_StretchCheck->setToolTip("Stretch image to max display size");
    m_AutoSizeCheck = new QCheckBox("AutoSize", options);
    m_AutoSizeCheck->setObjectName("AutoSizeCheck");
    m_AutoSizeCheck->setToolTip("AutoSize TImage");
    // The two options exclude each other: ticking one unticks the other.
    connect(m_StretchCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_AutoSizeCheck->setChecked(false);
        ApplyOptions();
    });
    connect(m_AutoSizeCheck, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_StretchCheck->setChecked(false);
        ApplyOptions();
    });

    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(m_StretchCheck);
    optionsLayout->addWidget(m_AutoSizeCheck);

    // The lists scroll sideways for long names: they keep their design width.
    for (QListWidget* list : {m_DirectoryListBox1, m_FileListBox1})
        list->setFixedWidth(ListWidth);
    auto* lists = new QVBoxLayout;
    lists->addWidget(m_DriveComboBox1);
    lists->addWidget(m_DirectoryListBox1, 1);
    lists->addWidget(m_FileListBox1, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(options);
    side->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(lists);
    columns->addWidget(m_ScrollBox1, 1);
    columns->addLayout(side);
    auto* layout = new QVBoxLayout;
    layout->addLayout(columns, 1);
    layout->addLayout(AddDialogButtons(*this, HelpTopic));
    SetFormLayout(*this, layout, {592, 300});
    const QString remembered = RememberedFolder();
    SetFolder(remembered.isEmpty() ? QDir::currentPath() : remembered);
    ApplyOptions();
}

QString TGImageBrowser::RememberedFolder()
{
    // The file may be edited by hand, and the folder may have gone since.
    const QString folder = TIniFile(IniFileName()).ReadString(FolderSection, FolderKey, QString());
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isAbsolute() || !info.isDir())
        return {};
    return info.absoluteFilePath();
}

void TGImageBrowser::RememberFolderOf(const QString& fileName)
{
    // A preference only: when MV.ini cannot be written, the next browser starts where it used to.
    TIniFile(IniFileName()).WriteString(FolderSection, FolderKey, QFileInfo(fileName).absolutePath());
}

void TGImageBrowser::SetFolder(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return;
    m_Folder = dir.absolutePath();
    FillDriveBox();
    FillFolderList();
    FillFileList();
}

void TGImageBrowser::FillDriveBox()
{
    const QSignalBlocker blocker(m_DriveComboBox1);
    m_DriveComboBox1->clear();
    // The current folder's whole path, then each folder above it; choosing one goes there.
    QDir dir(m_Folder);
    do
        m_DriveComboBox1->addItem(dir.absolutePath());
    while (dir.cdUp());
    for (const QFileInfo& drive : QDir::drives()) {
        if (m_DriveComboBox1->findText(drive.absolutePath()) < 0)
            m_DriveComboBox1->addItem(drive.absolutePath());
    }
    m_DriveComboBox1->setCurrentIndex(0);
    m_DriveComboBox1->setToolTip(m_Folder);
    QAbstractItemView* list = m_DriveComboBox1->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth());
}

void TGImageBrowser::FillFolderList()
{
    m_DirectoryListBox1->clear();
    const QDir dir(m_Folder);
    if (!dir.isRoot())
        m_DirectoryListBox1->addItem("..");
    m_DirectoryListBox1->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

void TGImageBrowser::FillFileList()
{
    const QSignalBlocker blocker(m_FileListBox1);
    m_FileListBox1->clear();
    // Name filters ignore case unless asked otherwise, as the mask is meant.
    m_FileListBox1->addItems(QDir(m_Folder).entryList(FileMask, QDir::Files, QDir::Name | QDir::IgnoreCase));
    m_Image1->SetPicture(TPicture());
}

QString TGImageBrowser::FileName() const
{
    const QListWidgetItem* item = m_FileListBox1->currentItem();
    return item ? QDir(m_Folder).absoluteFilePath(item->text()) : QString();
}

bool TGImageBrowser::SelectFile(const QString& name)
{
    const QList<QListWidgetItem*> found = m_FileListBox1->findItems(name, Qt::MatchFixedString);
    if (found.isEmpty())
        return false;
    m_FileListBox1->setCurrentItem(found.first());
    return true;
}

const TPicture& TGImageBrowser::PreviewPicture() const
{
    return m_Image1->Picture();
}

bool TGImageBrowser::StretchChecked() const
{
    return m_StretchCheck->isChecked();
}

void TGImageBrowser::SetStretchChecked(bool value)
{
    m_StretchCheck->setChecked(value);
}

bool TGImageBrowser::AutoSizeChecked() const
{
    return m_AutoSizeCheck->isChecked();
}

void TGImageBrowser::SetAutoSizeChecked(bool value)
{
    m_AutoSizeCheck->setChecked(value);
}

void TGImageBrowser::ApplyOptions()
{
    m_Image1->SetStretch(m_StretchCheck->isChecked());
    m_Image1->SetAutoSize(m_AutoSizeCheck->isChecked());
    // Unless auto-sized, the preview fills the scroll box.
    m_ScrollBox1->setWidgetResizable(!m_AutoSizeCheck->isChecked());
    if (m_AutoSizeCheck->isChecked() && !m_Image1->Picture().IsEmpty())
        m_Image1->resize(m_Image1->Picture().Size());
}

void TGImageBrowser::LoadPreview()
{
    const QString name = FileName();
    if (name.isEmpty())
        return;
    const QString extension = name.mid(name.lastIndexOf('.')).toUpper();
    QFile file(name);
    const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    std::optional<TPicture> picture;
    if (extension == ".BMP") {
        picture = TPicture::FromBmp(data); // kept as the file holds it, compressed or not
    } else if (extension == ".WMF") {
        picture = TPicture::FromWmf(data);
    } else if (extension == ".ICO") {
        const QImage icon = DecodeIcon(data);
        if (!icon.isNull())
            picture = TPicture::FromImage(icon);
    } else if (m_SmartImage1->LoadFromFile(name)) {
        picture = m_SmartImage1->Picture();
    }
    m_Image1->SetPicture(picture.value_or(TPicture()));
    ApplyOptions();
    if (!picture && (extension == ".BMP" || extension == ".WMF"))
        UiServices().ShowMessage(ErrorLoadingFile, "Error", TMessageIcon::Error);
}
