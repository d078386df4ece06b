#pragma once
// The order of the sorted record lists (the list of recurring dates, the holidays): by the text,
// as the user reads it, compared the way the user's locale sorts words and ignoring case, so
// "Ärger" comes before "Zebra" in German and after it in Swedish. Records that compare equal so
// keep a fixed order among themselves. Make one per sort: setting up a collator is not cheap.

#include <QCollator>
#include <QString>

class TRecordOrder {
public:
    TRecordOrder();

    bool operator()(const QString& a, const QString& b) const;

private:
    QCollator m_Collator;
};
