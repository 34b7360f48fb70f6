#pragma once

#include <QFile>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

namespace florist::test {

// What poppler's pdftotext reads back from a PDF: its text, and each word with its box.
struct PdfWord {
    QRectF rectMm;
    QString text;
};
struct PdfPage {
    QSizeF sizeMm;
    QList<PdfWord> words;
};

// "" when pdftotext is missing (scripts/install-deps.sh installs poppler-utils).
inline QString pdfToTextProgram() {
    return QStandardPaths::findExecutable("pdftotext");
}

inline QString runPdfToText(const QStringList& arguments) {
    QProcess p;
    p.start(pdfToTextProgram(), arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of the first page, laid out as on the page.
inline QString pdfText(const QString& path) {
    return runPdfToText({"-layout", "-enc", "UTF-8", "-f", "1", "-l", "1", path, "-"});
}

// The first page's size and its words in millimetres from the page's top-left corner.
inline PdfPage pdfWords(const QString& path) {
    const QString html = runPdfToText({"-bbox", "-enc", "UTF-8", "-f", "1", "-l", "1", path, "-"});
    constexpr double mmPerPoint = 25.4 / 72;
    PdfPage page;
    static const QRegularExpression pageTag(R"re(<page width="([0-9.]+)" height="([0-9.]+)")re");
    const auto pm = pageTag.match(html);
    if (pm.hasMatch()) {
        page.sizeMm = QSizeF(pm.captured(1).toDouble(), pm.captured(2).toDouble()) * mmPerPoint;
    }
    static const QRegularExpression wordTag(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (auto it = wordTag.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        page.words << PdfWord{QRectF(topLeft * mmPerPoint, bottomRight * mmPerPoint),
                              m.captured(5)};
    }
    return page;
}

} // namespace florist::test
