#include "objects/GLabelObjectFiler.h"

#include "objects/GBasePanel.h"
#include "objects/GGraphicControl.h"
#include "objects/GHandle.h"
#include "stream/Reader.h"
#include "stream/StreamErrors.h"
#include "stream/StreamFile.h"
#include "stream/Writer.h"

#include <QBuffer>
#include <QFileInfo>

TGLabelObjectFiler::TGLabelObjectFiler(TComponent* owner)
    : m_Owner(owner)
{
}

void TGLabelObjectFiler::SaveSelectionToFile(const TGHandle& handle, const QString& fileName)
{
    if (handle.Count() == 0)
        return;
    WriteStreamFile(fileName, [&handle](TWriter& writer) {
        writer.WriteListBegin();
        for (TGGraphicControl* object : handle.SelectedObjects())
            writer.WriteRootComponent(*object);
        writer.WriteListEnd();
    });
}

void TGLabelObjectFiler::SaveObjectToFile(TGGraphicControl& object, const QString& fileName)
{
    WriteStreamFile(fileName, [&object](TWriter& writer) {
        writer.WriteListBegin();
        writer.WriteRootComponent(object);
        writer.WriteListEnd();
    });
}

void TGLabelObjectFiler::LoadFromFile(TComponent* owner, TGBasePanel& host, const QString& fileName)
{
    if (!QFileInfo::exists(fileName))
        return;
    m_Offset = true;
    ReadStreamFile(fileName, [&](TReader& reader) { ReadObjects(reader, owner, host); });
    m_Offset = false;
}

TGGraphicControl* TGLabelObjectFiler::Duplicate(TGGraphicControl& object, TComponent* owner, TGBasePanel& host)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadWrite);
    {
        TWriter writer(buffer);
        writer.WriteListBegin();
        writer.WriteRootComponent(object);
        writer.WriteListEnd();
        writer.FlushBuffer();
    }
    buffer.seek(0);
    TReader reader(buffer);
    const QList<TGGraphicControl*> read = ReadObjects(reader, owner, host);
    if (read.size() != 1)
        throw EMervaneError(StreamErrors::InvalidStreamFormat);
    return read.first();
}

QList<TGGraphicControl*> TGLabelObjectFiler::ReadObjects(TReader& reader, TComponent* owner, TGBasePanel& host)
{
    reader.OnSetName = [this](TReader&, TComponent&, QString& name) { name = ComponentName(name); };
    // Events bound in another context are left unassigned instead of failing the read.
    reader.OnFindMethod = [](TReader&, const QString&, bool& error) { error = false; };

    QList<TComponent*> read;
    try {
        reader.ReadListBegin();
        const qsizetype room = TGBasePanel::MaxObjectCount - host.Objects().size();
        reader.ReadComponents(owner, &host, [&read, room](TComponent* component) {
            read += component;
            if (read.size() > room)
                throw EMervaneError(QString(StreamErrors::TooManyObjects).arg(TGBasePanel::MaxObjectCount));
        });
        reader.ReadListEnd();
    } catch (...) {
        qDeleteAll(read);
        throw;
    }

    QList<TGGraphicControl*> objects;
    for (TComponent* component : std::as_const(read)) {
        auto* object = dynamic_cast<TGGraphicControl*>(component);
        if (!object) {
            // Only page objects belong on the page.
            delete component;
            continue;
        }
        if (m_Offset)
            object->SetBounds(object->Left() + 15, object->Top() + 15, object->Width(), object->Height());
        objects += object;
    }
    return objects;
}

QString TGLabelObjectFiler::ComponentName(const QString& name) const
{
    for (int number = 0; number <= 1000; ++number) {
        const QString candidate = QString("Component%1").arg(number);
        if (!m_Owner || !m_Owner->FindComponent(candidate))
            return candidate;
    }
    return name;
}
