#include "richtext/FontNameBox.h"

#include <QFontDatabase>
#include <QFontInfo>

TFontNameBox::TFontNameBox(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
}

void TFontNameBox::SetCurrentFamily(const QString& family)
{
    const QString shown = QFontDatabase::hasFamily(family) ? family : QFontInfo(QFont(family)).family();
    int index = findText(shown, Qt::MatchFixedString);
    if (index < 0) {
        if (m_AllListed) {
            // A family the list does not hold (private to the system): shown, not offered.
            insertItem(0, shown);
            index = 0;
        } else {
            clear();
            addItem(shown);
            index = 0;
        }
    }
    setCurrentIndex(index);
}

QSize TFontNameBox::sizeHint() const
{
    // One width whatever the list holds, so the tool bar keeps its layout when the list is filled.
    QSize size = QComboBox::sizeHint();
    size.setWidth(fontMetrics().horizontalAdvance(QLatin1Char('m')) * 14);
    return size;
}

void TFontNameBox::showPopup()
{
    ListAllFamilies();
    QComboBox::showPopup();
}

void TFontNameBox::focusInEvent(QFocusEvent* event)
{
    // The arrow keys and typed letters move through the whole list even while it is closed.
    ListAllFamilies();
    QComboBox::focusInEvent(event);
}

void TFontNameBox::ListAllFamilies()
{
    if (m_AllListed)
        return;
    m_AllListed = true;
    const QString current = currentText();
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            families << family;
    const QSignalBlocker quiet(this);
    clear();
    addItems(families);
    if (!current.isEmpty())
        SetCurrentFamily(current);
}
