#pragma once
// Names for integer values that the stream writes as identifiers: colours ("clWhite"),
// cursors ("crDefault") and font character sets ("ANSI_CHARSET"). Values without a name are
// written as integers.

#include <QString>
#include <optional>
#include <vector>

struct TIdentEntry {
    qint32 Value;
    QString Name;
    bool Written = true; // false for names that are read but never written (an alias)
};

class TIdentTable {
public:
    using TNormalize = qint32 (*)(qint32);

    explicit TIdentTable(std::vector<TIdentEntry> entries, TNormalize normalize = nullptr);

    // The name written for `value`, if it has one.
    std::optional<QString> ToIdent(qint32 value) const;
    // The value of `name`, compared ignoring case.
    std::optional<qint32> FromIdent(const QString& name) const;

private:
    std::vector<TIdentEntry> m_Entries;
    TNormalize m_Normalize;
};

const TIdentTable& ColorIdents();
const TIdentTable& CursorIdents();
const TIdentTable& CharsetIdents();
