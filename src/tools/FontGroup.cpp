#include "tools/FontGroup.h"

#include "calendar/CalendarSettings.h"
#include "platform/MervaneError.h"
#include "stream/Font.h"

TFontGroup::TFontGroup(TFont& font)
    : m_Font(font)
{
}

void TFontGroup::PublishProperties(TPropertyList& list)
{
    TPersistent::PublishProperties(list);
    list.AddString(
        "Name", [this] { return m_Font.Name(); },
        [this](const QString& v) {
            // The font would keep its old name.
            if (v.isEmpty())
                throw EMervaneError("a font needs a name");
            m_Font.SetName(v);
        });
    list.AddInteger(
        "Size", [this] { return m_Font.Size(); },
        [this](qint64 v) {
            if (v < CalendarLimits::MinFontSize || v > CalendarLimits::MaxFontSize)
                throw EMervaneError(QString("%1 is not a size from %2 to %3 points")
                                        .arg(v)
                                        .arg(CalendarLimits::MinFontSize)
                                        .arg(CalendarLimits::MaxFontSize));
            m_Font.SetSize(int(v));
        },
        NoDefault);
    list.AddSet(
        "Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, [this] { return m_Font.Style(); },
        [this](qint64 v) { m_Font.SetStyle(TFontStyles(v)); }, NoDefault);
    list.AddIdentInteger(
        "Color", ColorIdents(), [this] { return m_Font.Color(); }, [this](qint64 v) { m_Font.SetColor(TColor(v)); },
        NoDefault);
}
