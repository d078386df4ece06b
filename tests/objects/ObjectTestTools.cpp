#include "ObjectTestTools.h"

#include "objects/GGraphicControl.h"
#include "print/ReportPrinter.h"
#include "stream/Reader.h"
#include "stream/Writer.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>

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

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QRectF WordBox(const QString& pdf, const QString& word)
{
    const QString html = Run("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    const QRegularExpression pattern(
        QString(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1<)re")
            .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = pattern.match(html);
    if (!match.hasMatch())
        return {};
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

void PrintObject(TGGraphicControl& object, const QString& pdf)
{
    TReportPrinter report(pdf);
    report.OnPrint = [&object](TReportPrinter& r) { object.PrintTo(r, 0.5, 0.25); };
    report.Execute();
}
