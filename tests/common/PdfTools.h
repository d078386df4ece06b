#pragma once
// Reading PDF files back in tests through poppler's tools (pdfinfo, pdftotext, pdftoppm).

#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRectF>
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

// The bounding box in points of the first `word` on page `page` of the PDF; empty when it is not there.
inline QRectF PdfWordBox(const QString& pdf, const QString& word, int page = 1)
{
    const QString number = QString::number(page);
    const QString html = RunTool("pdftotext", {"-bbox", "-f", number, "-l", number, pdf, "-"});
    const QRegularExpression pattern(
        QString(R"re(xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">%1<)re")
            .arg(QRegularExpression::escape(word)));
    const QRegularExpressionMatch match = pattern.match(html);
    if (!match.hasMatch())
        return {};
    return QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                  QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
}

// One word pdftotext -bbox finds, with its box in points from the paper's top-left corner.
struct TPdfWord {
    QRectF Box;
    QString Text;
};

// Every word on page `page` of the PDF in pdftotext's reading order; empty when there is none.
inline QList<TPdfWord> PdfWords(const QString& pdf, int page = 1)
{
    const QString number = QString::number(page);
    const QString html = RunTool("pdftotext", {"-bbox", "-f", number, "-l", number, pdf, "-"});
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QList<TPdfWord> words;
    for (const QRegularExpressionMatch& match : word.globalMatch(html)) {
        words.append({QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                             QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())),
                      match.captured(5)});
    }
    return words;
}

// The text pdftotext extracts with `options` (such as "-layout" or "-f 2 -l 2"); empty when it fails.
inline QString PdfText(const QString& pdf, const QStringList& options = {})
{
    return RunTool("pdftotext", options + QStringList{pdf, "-"});
}

// Page `page` of the PDF rendered by pdftoppm at `dpi` with `options` (such as "-gray") into `folder`;
// a null image when it fails.
inline QImage PdfPageImage(const QString& pdf, const QString& folder, int dpi, int page = 1,
                           const QStringList& options = {})
{
    // pdftoppm's own formats (PPM, or PGM with -gray, PBM with -mono) are not compressed, which
    // saves most of its time against PNG.
    const QStringList suffixes{".ppm", ".pgm", ".pbm"};
    const QString number = QString::number(page);
    const QString stem = folder + "/page";
    for (const QString& suffix : suffixes)
        QFile::remove(stem + suffix);
    RunTool("pdftoppm",
            options + QStringList{"-r", QString::number(dpi), "-f", number, "-l", number, "-singlefile", pdf, stem});
    for (const QString& suffix : suffixes) {
        if (QFile::exists(stem + suffix))
            return QImage(stem + suffix);
    }
    return QImage();
}
