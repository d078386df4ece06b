// The calendar page's files: the calendar file (settings, date, start time, cells, user title,
// then the page objects) and the style sheet (the appearance settings alone).

#include "calendar/CalendarPanel32.h"

#include "objects/GGraphicControl.h"
#include "richtext/WPRtfStorage.h"
#include "stream/Reader.h"
#include "stream/StreamError.h"
#include "stream/StreamFile.h"
#include "stream/Writer.h"

#include <memory>
#include <vector>

void TCalendarPanel32::SaveToFile(const QString& fileName)
{
    WriteStreamFile(fileName, [this](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(CalendarFileVersion);
        w.WriteInteger(CalendarFileKind);
        m_Settings.WriteAppearance(w);
        m_Settings.WriteDateAndTime(w);
        for (int i = 0; i < CellCount; ++i)
            w.WriteRootComponent(*m_Cells[i]);
        w.WriteString(m_Settings.UserTitle);
        w.WriteListEnd();
        w.WriteListBegin();
        for (TGGraphicControl* object : Objects())
            w.WriteRootComponent(*object);
        w.WriteListEnd();
    });
}

void TCalendarPanel32::LoadFromFile(const QString& fileName, TComponent* owner)
{
    ReadStreamFile(fileName, [this, owner](TReader& r) {
        // Settings and cells are read aside and taken only when all of them could be read.
        r.ReadListBegin();
        const int version = r.ReadInteger();
        if (version < FirstCalendarFileVersion || version > CalendarFileVersion)
            throw EStreamError(StreamErrors::InvalidPropertyValue);
        r.ReadInteger();
        TCalendarSettings settings = m_Settings;
        settings.ReadAppearance(r);
        settings.ReadDateAndTime(r);
        std::vector<std::unique_ptr<TWPRtfStorage>> cells;
        for (int i = 0; i < CellCount; ++i) {
            cells.push_back(std::make_unique<TWPRtfStorage>(nullptr));
            r.ReadRootComponent(*cells.back());
        }
        settings.UserTitle = version > 1 ? r.ReadString() : QString();
        r.ReadListEnd();

        ClearObjects();
        m_Settings = settings;
        for (int i = 0; i < CellCount; ++i)
            m_Cells[i]->Assign(*cells[i]);
        if (version > 2) {
            // Objects take the first free "Component"N name of the owner; handlers that do not
            // exist here stay unassigned; a damaged object list keeps the objects read before.
            r.OnSetName = [owner](TReader&, TComponent&, QString& name) {
                for (int n = 0; n <= 1000 && owner; ++n) {
                    const QString candidate = QString("Component%1").arg(n);
                    if (!owner->FindComponent(candidate)) {
                        name = candidate;
                        return;
                    }
                }
            };
            r.OnFindMethod = [](TReader&, const QString&, bool& error) { error = false; };
            try {
                r.ReadListBegin();
                r.ReadComponents(owner, this, nullptr);
                r.ReadListEnd();
            } catch (const EStreamError&) {
            }
        }
    });
    RecalcLayout(false);
}

void TCalendarPanel32::SaveStyleSheet(const QString& fileName)
{
    WriteStreamFile(fileName, [this](TWriter& w) {
        w.WriteListBegin();
        w.WriteInteger(StyleSheetVersion);
        w.WriteInteger(StyleSheetKind);
        m_Settings.WriteAppearance(w);
        w.WriteListEnd();
    });
}

void TCalendarPanel32::LoadStyleSheet(const QString& fileName)
{
    ReadStreamFile(fileName, [this](TReader& r) {
        r.ReadListBegin();
        r.ReadInteger();
        r.ReadInteger();
        TCalendarSettings settings = m_Settings;
        settings.ReadAppearance(r);
        r.ReadListEnd();
        m_Settings = settings;
    });
}
