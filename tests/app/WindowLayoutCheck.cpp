#include "WindowLayoutCheck.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace {

// Compound Qt controls place their own parts; their parts are not checked one by one.
bool IsCompound(const QWidget& widget)
{
    return qobject_cast<const QAbstractSpinBox*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
           qobject_cast<const QAbstractScrollArea*>(&widget) || qobject_cast<const QCalendarWidget*>(&widget) ||
           qobject_cast<const QTabBar*>(&widget);
}

// The widget a scroll area scrolls: it and what it holds stand where the user scrolls them.
bool IsScrolledContent(const QWidget& widget)
{
    const QWidget* viewport = widget.parentWidget();
    const auto* area = viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
    return area && area->widget() == &widget;
}

// What `widget` needs to show whole. A widget with a layout needs its layout's minimum; its
// children are checked themselves. A push button's size hint holds the style's least button
// width as well, and a line edit's a width for typing: a narrower one that still has room for
// its caption or text cuts nothing.
QSize NeededSize(const QWidget& widget)
{
    const QSize hint = widget.sizeHint();
    if (widget.layout())
        return widget.minimumSizeHint();
    int text = -1;
    int margins = 0;
    if (const auto* button = qobject_cast<const QPushButton*>(&widget); button && !button->text().isEmpty()) {
        const QStyle& style = *button->style();
        text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width() +
               (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
        margins = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                  2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        text = std::max(edit->fontMetrics().horizontalAdvance(edit->text()), edit->minimumSizeHint().width());
        const QMargins inner = edit->textMargins() + edit->contentsMargins();
        // The frame and the text's own margin on each side, as QLineEdit lays its text out.
        margins = inner.left() + inner.right() + 2 * 2 + 2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    }
    if (text < 0 || !hint.isValid())
        return hint;
    return {std::min(hint.width(), text + margins), hint.height()};
}

QString Size(QSize size)
{
    return QString("%1x%2").arg(size.width()).arg(size.height());
}

class TLayoutCheck {
public:
    TLayoutCheck(QWidget& window, const QStringList& scrolling)
        : m_Window(window)
        , m_Scrolling(scrolling)
    {
    }

    QStringList Faults(const QString& prefix)
    {
        m_Prefix = prefix;
        m_Faults.clear();
        CheckChildren(m_Window, false);
        return m_Faults;
    }

private:
    void Fault(const QWidget& widget, const QString& what) { m_Faults += m_Prefix + WidgetPath(widget) + ": " + what; }

    void CheckChildren(const QWidget& parent, bool insideCanvas)
    {
        QList<const QWidget*> shown;
        for (QObject* object : parent.children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow() || !child->isVisibleTo(&m_Window))
                continue;
            const bool content = IsScrolledContent(*child);
            if (!content)
                Check(*child);
            if (!IsCompound(*child))
                CheckChildren(*child, insideCanvas || content);
            // Objects on a scrolled canvas (page objects, samples) stand where the user put them.
            if (!insideCanvas && !content)
                shown += child;
        }
        for (int i = 0; i < shown.size(); ++i) {
            for (int j = i + 1; j < shown.size(); ++j) {
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    Fault(*shown[i], "overlaps " + WidgetPath(*shown[j]));
            }
        }
    }

    void Check(const QWidget& widget)
    {
        const QWidget& parent = *widget.parentWidget();
        if (!parent.rect().contains(widget.geometry()))
            Fault(widget, QString("reaches outside its parent (%1 at %2,%3 in %4)")
                              .arg(Size(widget.size()))
                              .arg(widget.x())
                              .arg(widget.y())
                              .arg(Size(parent.size())));
        if (widget.objectName() == "qt_toolbar_ext_button")
            Fault(widget, "the tool bar hides buttons behind its extension menu");
        if (const auto* area = qobject_cast<const QScrollArea*>(&widget)) {
            if (area->widget() && !m_Scrolling.contains(area->objectName()) &&
                (area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible()))
                Fault(widget, "needs scroll bars to show " + Size(area->widget()->size()));
            return;
        }
        if (const auto* list = qobject_cast<const QListView*>(&widget))
            CheckGrid(*list);
        // Lists and editors scroll what they hold: their size hint is only a wish.
        if (qobject_cast<const QAbstractScrollArea*>(&widget))
            return;
        const QSize hint = NeededSize(widget);
        if (!hint.isValid())
            return;
        const QSizePolicy policy = widget.sizePolicy();
        const int height = widget.hasHeightForWidth() ? widget.heightForWidth(widget.width()) : hint.height();
        if ((policy.horizontalPolicy() != QSizePolicy::Ignored && widget.width() < hint.width()) ||
            (policy.verticalPolicy() != QSizePolicy::Ignored && widget.height() < height))
            Fault(widget, QString("is %1, smaller than its size hint %2")
                              .arg(Size(widget.size()))
                              .arg(Size(QSize(hint.width(), height))));
    }

    // A list laid out in a grid draws each item in its cell, its text centred in the item: an
    // item larger than the cell, or a glyph reaching above or below its item, is cut.
    void CheckGrid(const QListView& list)
    {
        const QSize grid = list.gridSize();
        if (!grid.isValid() || !list.model())
            return;
        const QFontMetrics metrics(list.font());
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            const QModelIndex index = list.model()->index(row, 0);
            const QSize item = list.sizeHintForIndex(index);
            const QRect ink = metrics.tightBoundingRect(index.data().toString());
            const int baseline = (item.height() - metrics.height()) / 2 + metrics.ascent();
            const bool inkCut =
                !ink.isEmpty() && (baseline + ink.top() < 0 || baseline + ink.bottom() >= item.height());
            if (item.width() > grid.width() || item.height() > grid.height() || inkCut) {
                Fault(list, QString("item %1 needs %2 for %3, more than its item %4 or its grid cell %5")
                                .arg(row)
                                .arg(Size(item))
                                .arg(Size(ink.size()))
                                .arg(Size(item))
                                .arg(Size(grid)));
                return;
            }
        }
    }

    QWidget& m_Window;
    const QStringList m_Scrolling;
    QString m_Prefix;
    QStringList m_Faults;
};

void SettleLayouts()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

} // namespace

QString WidgetPath(const QWidget& widget)
{
    const auto name = [](const QWidget& w) {
        return w.objectName().isEmpty() ? QString(w.metaObject()->className()) : w.objectName();
    };
    const QWidget* parent = widget.parentWidget();
    return parent && !widget.isWindow() ? name(*parent) + "/" + name(widget) : name(widget);
}

QStringList WindowLayoutFaults(QWidget& window, const QStringList& scrolling)
{
    SettleLayouts();
    TLayoutCheck check(window, scrolling);
    QStringList faults = check.Faults({});
    for (QTabBar* tabs : window.findChildren<QTabBar*>()) {
        if (!tabs->isVisibleTo(&window))
            continue;
        const int shown = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
            if (page == shown || !tabs->isTabEnabled(page))
                continue;
            tabs->setCurrentIndex(page);
            SettleLayouts();
            faults += check.Faults("page " + tabs->tabText(page) + ": ");
        }
        tabs->setCurrentIndex(shown);
        SettleLayouts();
    }
    return faults;
}
