#include "EngineTestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>

MemoryRowSet::MemoryRowSet(const QStringList& fields, const QVector<QVariantList>& rows) : m_rows(rows) {
    for (int i = 0; i < fields.size(); ++i)
        m_columns.insert(fields[i].toUpper(), i);
}

QVariant MemoryRowSet::value(int row, const QString& field) const {
    const int column = m_columns.value(field.toUpper(), -1);
    return column < 0 ? QVariant() : m_rows.at(row).value(column);
}

namespace EngineTest {

const ReportProject& summaryProject() {
    static const ReportProject project =
        ReportProject::fromFile(QStringLiteral(KOLM_SOURCE_DIR "/src/reports/project/summary.json"));
    return project;
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList pageTexts(const QString& pdf) {
    QStringList pages =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // the text ends with a form feed
    return pages;
}

QString pdfInfo(const QString& pdf, const QString& key) {
    const QStringList lines = runTool(QStringLiteral("pdfinfo"), {pdf}).split(QLatin1Char('\n'));
    for (const QString& line : lines)
        if (line.startsWith(key + QLatin1Char(':')))
            return line.mid(key.size() + 1).trimmed();
    return QString();
}

QVector<Word> words(const QString& pdf) {
    QVector<Word> out;
    QXmlStreamReader xml(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const QXmlStreamAttributes a = xml.attributes();
            Word w{page,
                   QString(),
                   a.value(QLatin1String("xMin")).toDouble(),
                   a.value(QLatin1String("yMin")).toDouble(),
                   a.value(QLatin1String("xMax")).toDouble(),
                   a.value(QLatin1String("yMax")).toDouble()};
            w.text = xml.readElementText();
            out << w;
        }
    }
    return out;
}

QStringList describe(const QVector<PrintedBand>& bands) {
    QStringList out;
    for (const PrintedBand& b : bands) {
        QStringList texts;
        for (const auto& t : b.texts)
            texts << t.second;
        out << b.band + QStringLiteral(": ") + texts.join(QStringLiteral(" | "));
    }
    return out;
}

} // namespace EngineTest
