#include "stream/StreamFile.h"

#include "platform/FileCommit.h"

#include "stream/Reader.h"
#include "stream/StreamErrors.h"
#include "stream/Writer.h"

#include <QFile>

void WriteStreamFile(const QString& fileName, const std::function<void(TWriter&)>& write)
{
    TWholeSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EMervaneError(QString(StreamErrors::CannotCreateFile).arg(fileName));
    TWriter writer(file);
    write(writer);
    writer.FlushBuffer();
    if (!file.CommitWhole())
        throw EMervaneError(StreamErrors::WriteError);
}

void ReadStreamFile(const QString& fileName, const std::function<void(TReader&)>& read)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EMervaneError(QString(StreamErrors::CannotOpenFile).arg(fileName));
    TReader reader(file);
    read(reader);
}
