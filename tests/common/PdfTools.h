#pragma once
// Reading PDF files back in tests through poppler's tools (pdfinfo, pdftotext, pdftoppm).

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The standard output of `program`; empty when it does not finish within 30 seconds.
inline QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The number of pages pdfinfo reports; 0 when it reports none.
inline int PdfPages(const QString& pdf)
{
    const QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(RunTool("pdfinfo", {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}
