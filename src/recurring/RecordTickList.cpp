#include "recurring/RecordTickList.h"

#include "recurring/RecurringText.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int RowHeight = 16;
constexpr int CheckSize = 16;

QImage CheckPicture(const QColor& mark)
{
    QImage picture(CheckSize, CheckSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(mark, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)}));
    return picture;
}

class TTickRowDelegate : public QStyledItemDelegate {
public:
    explicit TTickRowDelegate(TRecordTickList& list)
        : QStyledItemDelegate(&list)
        , m_List(list)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool focus = option.state & QStyle::State_HasFocus;
        painter->save();
        painter->fillRect(r, focus ? QColor(Qt::black) : option.palette.color(QPalette::Base));
        if (m_List.IsTicked(index.row()))
            painter->drawImage(r.topLeft(), focus ? m_List.RevCheckBmp() : m_List.CheckBmp());
        painter->setPen(focus ? Qt::white : Qt::black);
        painter->setFont(option.font);
        const QRect textArea = r.adjusted(m_List.CheckBmp().width() + 5, 0, 0, 0);
        painter->drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                          RecordDisplayText(index.data().toString()));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), RowHeight};
    }

private:
    TRecordTickList& m_List;
};

} // namespace

TRecordTickList::TRecordTickList(QWidget* parent)
    : QListWidget(parent)
    , m_CheckBmp(CheckPicture(Qt::black))
    , m_RevCheckBmp(CheckPicture(Qt::white))
{
    setFont(QFont("Arial", 9));
    setSelectionMode(QAbstractItemView::MultiSelection);
    setUniformItemSizes(true);
    setItemDelegate(new TTickRowDelegate(*this));
}

void TRecordTickList::SetRecords(const QStringList& records)
{
    clear();
    addItems(records);
}

QStringList TRecordTickList::Records() const
{
    QStringList records;
    for (int row = 0; row < count(); ++row)
        records += item(row)->text();
    return records;
}

QStringList TRecordTickList::TickedRecords() const
{
    QStringList records;
    for (int row = 0; row < count(); ++row) {
        if (IsTicked(row))
            records += item(row)->text();
    }
    return records;
}

bool TRecordTickList::IsTicked(int row) const
{
    const QListWidgetItem* rowItem = item(row);
    return rowItem && rowItem->isSelected();
}

void TRecordTickList::SetTicked(int row, bool ticked)
{
    if (QListWidgetItem* rowItem = item(row))
        rowItem->setSelected(ticked);
}

void TRecordTickList::TickAll(bool ticked)
{
    for (int row = 0; row < count(); ++row)
        item(row)->setSelected(ticked);
}
