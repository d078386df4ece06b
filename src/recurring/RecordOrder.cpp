#include "recurring/RecordOrder.h"

#include <QLocale>

TRecordOrder::TRecordOrder()
    : m_Collator(QLocale())
{
    m_Collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool TRecordOrder::operator()(const QString& a, const QString& b) const
{
    const int order = m_Collator.compare(a, b);
    return order != 0 ? order < 0 : a < b;
}
