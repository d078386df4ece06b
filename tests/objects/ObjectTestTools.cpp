#include "ObjectTestTools.h"

#include "objects/GGraphicControl.h"
#include "print/ReportPrinter.h"
#include "stream/Reader.h"
#include "stream/Writer.h"

#include <QBuffer>

QByteArray RecordOf(TComponent& component)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer);
    writer.WriteRootComponent(component);
    writer.FlushBuffer();
    return bytes;
}

QStringList PropertyNames(const QByteArray& record)
{
    QByteArray bytes = record;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TReader reader(buffer);
    reader.ReadSignature();
    reader.ReadStr(); // class
    reader.ReadStr(); // object name
    QStringList names;
    while (!reader.EndOfList()) {
        names += reader.ReadStr();
        reader.SkipValue();
    }
    return names;
}

QByteArray Str(const QByteArray& text)
{
    return char(text.size()) + text;
}

QByteArray Ident(const QByteArray& name)
{
    return '\x07' + Str(name);
}

bool IsDark(const QColor& color)
{
    return qGray(color.rgb()) < 128;
}

void PrintObject(TGGraphicControl& object, const QString& pdf)
{
    TReportPrinter report(pdf);
    report.OnPrint = [&object](TReportPrinter& r) { object.PrintTo(r, 0.5, 0.25); };
    report.Execute();
}
