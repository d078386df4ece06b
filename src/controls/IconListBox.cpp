#include "controls/IconListBox.h"

#include "platform/IconLibrary.h"
#include "platformui/Utility.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

// Programs and DLLs that hold icons stay far below this; a larger file is not read into memory
// and shows no icons.
constexpr qint64 MaxFileSize = qint64(512) << 20;
constexpr int IconRole = Qt::UserRole + 1;

// Draws a row: the background, then the icon centred in the row's rectangle (halves truncated).
class TIconDelegate : public QStyledItemDelegate {
public:
    explicit TIconDelegate(TIconListBox* list)
        : QStyledItemDelegate(list)
        , m_List(list)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(r, selected ? option.palette.highlight() : option.palette.base());
        const QImage icon = m_List->Icon(index.row());
        if (icon.isNull())
            return;
        painter->drawImage(r.left() + (r.width() - icon.width()) / 2, r.top() + (r.height() - icon.height()) / 2, icon);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {TIconListBox::CellSize(), TIconListBox::CellSize()};
    }

private:
    TIconListBox* m_List;
};

} // namespace

TIconListBox::TIconListBox(QWidget* parent)
    : QListWidget(parent)
{
    setViewMode(QListView::ListMode);
    // Like a list box with columns: the icons fill each column from the top, and the list
    // scrolls sideways.
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setGridSize({CellSize(), CellSize()});
    setSpacing(0);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setItemDelegate(new TIconDelegate(this));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Resize();
}

int TIconListBox::CellSize()
{
    return SystemIconSize + 6;
}

void TIconListBox::SetFileName(const QString& fileName)
{
    if (fileName == m_FileName)
        return;
    m_FileName = fileName;
    Load();
    emit FileChanged();
}

void TIconListBox::Load()
{
    clear();
    m_File.clear();
    m_NumberOfIcons = -1;
    const bool exists = QFileInfo(m_FileName).isFile();
    setEnabled(!m_AutoDisable || exists);
    if (!exists)
        return;
    if (!m_EnableCaching)
        BusyCursor();
    QFile file(m_FileName);
    if (file.open(QIODevice::ReadOnly) && file.size() <= MaxFileSize)
        m_File = file.read(MaxFileSize);
    m_NumberOfIcons = IconCount(m_File);
    for (int index = 0; index < m_NumberOfIcons; ++index) {
        auto* row = new QListWidgetItem(QString::number(index), this);
        if (!m_EnableCaching)
            row->setData(IconRole, IconPicture(m_File, index));
    }
    if (m_NumberOfIcons > 0)
        setCurrentRow(0);
    if (!m_EnableCaching)
        NormalCursor();
}

QImage TIconListBox::Icon(int row)
{
    QListWidgetItem* item = this->item(row);
    if (!item)
        return {};
    QVariant kept = item->data(IconRole);
    if (!kept.isValid() && m_EnableCaching) {
        kept = IconPicture(m_File, row);
        item->setData(IconRole, kept);
    }
    return kept.value<QImage>();
}

QImage TIconListBox::SelectedIcon()
{
    return Icon(currentRow());
}

void TIconListBox::SetXIcons(int value)
{
    if (value < 1)
        return;
    m_XIcons = value;
    Resize();
}

void TIconListBox::SetYIcons(int value)
{
    if (value < 1)
        return;
    m_YIcons = value;
    Resize();
}

void TIconListBox::Resize()
{
    // Room for the sideways scroll bar always: a library with more icons than fit scrolls, and
    // the last row of icons must stay whole above the bar.
    const int frame = 2 * frameWidth();
    setFixedSize(CellSize() * m_XIcons + frame,
                 CellSize() * m_YIcons + frame + horizontalScrollBar()->sizeHint().height() + 2);
}

Qt::DropActions TIconListBox::supportedDropActions() const
{
    return Qt::CopyAction;
}

QStringList TIconListBox::mimeTypes() const
{
    return {"application/x-qt-image"};
}

QMimeData* TIconListBox::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    auto* self = const_cast<TIconListBox*>(this);
    const QImage picture = self->Icon(row(items.first()));
    if (picture.isNull())
        return nullptr;
    auto* mime = new QMimeData;
    mime->setImageData(picture);
    return mime;
}
