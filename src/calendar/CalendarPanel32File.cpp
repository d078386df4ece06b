// The calendar page's files: the calendar file (settings, date, start time, cells, user title,
// then the page objects) and the style sheet (the appearance settings alone).

#include "calendar/CalendarPanel32.h"

#include "objects/GGraphicControl.h"
#include "richtext/WPRtfStorage.h"
#include "stream/Reader.h"
#include "stream/StreamErrors.h"
#include "stream/StreamFile.h"
#include "stream/Writer.h"

#include <QFile>

#include <memory>
#include <vector>

namespace {

// Deeper than any page object nests; a damaged file must not recurse without end.
constexpr int MaxObjectNesting = 32;

// Reads past one component record, its children included, without creating anything. A root
// record's class name goes to `classes` as soon as it is read, so that a record damaged further
// on is still named.
void SkipComponent(TReader& r, QStringList& classes, int depth = 0)
{
    if (depth > MaxObjectNesting)
        throw EMervaneError(StreamErrors::InvalidStreamFormat);
    if ((quint8(r.NextValue()) & 0xF0) == 0xF0 && (r.ReadValue() & 2))
        r.ReadInteger();    // a child position
    classes += r.ReadStr(); // also of an object inside another, which is left out with it
    r.ReadStr();            // the object's name
    while (!r.EndOfList()) {
        r.ReadStr(); // a property's name
        r.SkipValue();
    }
    r.ReadListEnd();
    while (!r.EndOfList())
        SkipComponent(r, classes, depth + 1);
    r.ReadListEnd();
}

// The class names of the object records from `offset` of the file to the end of the object
// list, as far as they can be made out; an empty name stands for a record (and all after it)
// that could not be.
QStringList ObjectClassesFrom(const QString& fileName, qint64 offset)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {QString()};
    if (file.atEnd())
        return {}; // only the list's end was missing: no object is lost
    QStringList classes;
    qsizetype named = 0;
    try {
        TReader r(file);
        while (!r.EndOfList()) {
            named = classes.size();
            r.ReadSignature();
            SkipComponent(r, classes);
        }
    } catch (const EMervaneError&) {
        if (classes.size() == named)
            classes += QString();
    }
    return classes;
}

} // namespace

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
    ReadStreamFile(fileName, [this, owner, &fileName](TReader& r) {
        // Settings and cells are read aside and taken only when all of them could be read.
        r.ReadListBegin();
        const int version = r.ReadInteger();
        if (version < FirstCalendarFileVersion || version > CalendarFileVersion)
            throw EMervaneError(StreamErrors::InvalidPropertyValue);
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
        m_ObjectsLeftOut.clear();
        m_ObjectsLeftOutReason.clear();
        m_Settings = settings;
        for (int i = 0; i < CellCount; ++i)
            m_Cells[i]->Assign(*cells[i]);
        if (version > 2) {
            // Objects take the first free "Component"N name of the owner; handlers that do not
            // exist here stay unassigned; a damaged object list keeps the objects read before.
            // Names are only taken while the list is read, so the search goes on from the last
            // name given instead of starting at 0 for every object.
            r.OnSetName = [owner, next = 0](TReader&, TComponent&, QString& name) mutable {
                for (; next <= 1000 && owner; ++next) {
                    const QString candidate = QString("Component%1").arg(next);
                    if (!owner->FindComponent(candidate)) {
                        name = candidate;
                        ++next;
                        return;
                    }
                }
            };
            r.OnFindMethod = [](TReader&, const QString&, bool& error) { error = false; };
            qint64 unread = -1; // where the first object not yet read starts
            try {
                r.ReadListBegin();
                unread = r.Position();
                int count = 0;
                r.ReadComponents(owner, this, [&](TComponent* component) {
                    if (++count > MaxObjectCount) {
                        delete component;
                        throw EMervaneError(QString(StreamErrors::TooManyObjects).arg(MaxObjectCount));
                    }
                    unread = r.Position();
                });
                r.ReadListEnd();
            } catch (const EMervaneError& error) {
                m_ObjectsLeftOut = unread < 0 ? QStringList{QString()} : ObjectClassesFrom(fileName, unread);
                m_ObjectsLeftOutReason = error.Message();
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

TPageSnapshot TCalendarPanel32::Snapshot()
{
    TPageSnapshot snapshot;
    snapshot.Settings = m_Settings;
    for (int i = 0; i < CellCount; ++i)
        snapshot.Cells += m_Cells[i]->IsEmpty() ? QByteArray() : m_Cells[i]->RtfText().Rtf();
    snapshot.Objects = ObjectRecords();
    return snapshot;
}

void TCalendarPanel32::RestoreSnapshot(const TPageSnapshot& target, const TPageSnapshot& current)
{
    if (!(target.Settings == current.Settings))
        SetSettings(target.Settings);
    for (int i = 0; i < CellCount && i < target.Cells.size(); ++i) {
        if (i < current.Cells.size() && target.Cells[i] == current.Cells[i])
            continue;
        TWPRtfStorage cell(nullptr);
        if (!target.Cells[i].isEmpty())
            cell.RtfText().SetRtf(target.Cells[i]);
        m_Cells[i]->Assign(cell);
    }
    RestoreObjects(target.Objects);
    update();
}
