#include "WorkbookReader.h"

#include "Errors.h"

#include <QFile>
#include <QStringList>
#include <QXmlStreamReader>

#include <zlib.h>

namespace kolmrap {

namespace {

[[noreturn]] void unreadable(const QString& why) {
    throw EKolmError(why);
}

quint32 le32(const QByteArray& b, qint64 at) {
    if (at < 0 || at + 4 > b.size())
        unreadable(QStringLiteral("uszkodzony plik"));
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 le16(const QByteArray& b, qint64 at) {
    if (at < 0 || at + 2 > b.size())
        unreadable(QStringLiteral("uszkodzony plik"));
    const auto* p = reinterpret_cast<const uchar*>(b.constData() + at);
    return quint16(p[0] | p[1] << 8);
}

// The members of the zip container, by name, uncompressed.
QHash<QString, QByteArray> unzip(const QByteArray& zip) {
    qint64 end = zip.size() - 22;
    while (end >= 0 && le32(zip, end) != 0x06054b50)
        --end;
    if (end < 0)
        unreadable(QStringLiteral("to nie jest arkusz"));
    const int count = le16(zip, end + 10);
    qint64 entry = le32(zip, end + 16);
    QHash<QString, QByteArray> members;
    for (int i = 0; i < count; ++i) {
        if (le32(zip, entry) != 0x02014b50)
            unreadable(QStringLiteral("uszkodzony spis zawartości"));
        const int method = le16(zip, entry + 10);
        const quint32 packed = le32(zip, entry + 20), size = le32(zip, entry + 24);
        const int nameLength = le16(zip, entry + 28), extra = le16(zip, entry + 30),
                  comment = le16(zip, entry + 32);
        const qint64 local = le32(zip, entry + 42);
        const QString name = QString::fromUtf8(zip.mid(entry + 46, nameLength));
        entry += 46 + nameLength + extra + comment;
        if (le32(zip, local) != 0x04034b50)
            unreadable(QStringLiteral("uszkodzony plik"));
        const qint64 data = local + 30 + le16(zip, local + 26) + le16(zip, local + 28);
        if (data + packed > zip.size() || size > 256u * 1024 * 1024)
            unreadable(QStringLiteral("uszkodzony plik"));
        if (method == 0) {
            members.insert(name, zip.mid(data, packed));
            continue;
        }
        if (method != 8)
            unreadable(QStringLiteral("nieznana kompresja"));
        QByteArray out(int(size), Qt::Uninitialized);
        z_stream z{};
        if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
            unreadable(QStringLiteral("brak pamięci"));
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.constData() + data));
        z.avail_in = packed;
        z.next_out = reinterpret_cast<Bytef*>(out.data());
        z.avail_out = size;
        const int rc = inflate(&z, Z_FINISH);
        inflateEnd(&z);
        if (rc != Z_STREAM_END || z.total_out != size)
            unreadable(QStringLiteral("uszkodzony plik"));
        members.insert(name, out);
    }
    return members;
}

} // namespace

namespace WorkbookReader {

QHash<QString, QSet<QString>> rowKeys(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        unreadable(file.errorString());
    const QHash<QString, QByteArray> members = unzip(file.readAll());

    QStringList strings;
    {
        QXmlStreamReader xml(members.value(QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        bool inItem = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
                inItem = true;
                current.clear();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("t") && inItem) {
                current += xml.readElementText();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("si")) {
                strings << current;
                inItem = false;
            }
        }
    }
    QStringList names;
    {
        QXmlStreamReader xml(members.value(QStringLiteral("xl/workbook.xml")));
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("sheet"))
                names << xml.attributes().value(QStringLiteral("name")).toString();
        if (xml.hasError() || names.isEmpty())
            unreadable(QStringLiteral("brak spisu arkuszy"));
    }
    QHash<QString, QSet<QString>> keys;
    for (int i = 0; i < names.size(); ++i) {
        const QString member = QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1);
        if (!members.contains(member))
            unreadable(QStringLiteral("brak arkusza %1").arg(names[i]));
        QXmlStreamReader xml(members.value(member));
        QSet<QString>& rows = keys[names[i]];
        QStringList row;
        // Texts are kept in the shared table, or in the cells themselves (as other programs write
        // them when they save a workbook again).
        bool header = true, shared = false, inlineText = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("row")) {
                row.clear();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("c")) {
                const QXmlStreamAttributes attributes = xml.attributes();
                const QStringView type = attributes.value(QStringLiteral("t"));
                shared = type == QLatin1String("s");
                inlineText = type == QLatin1String("inlineStr");
            } else if (xml.isStartElement() && xml.name() == QLatin1String("v") && shared) {
                bool ok = false;
                const int index = xml.readElementText().toInt(&ok);
                if (ok && index >= 0 && index < strings.size() && !strings[index].isEmpty())
                    row << strings[index];
            } else if (xml.isStartElement() && xml.name() == QLatin1String("t") && inlineText) {
                const QString text = xml.readElementText();
                if (!text.isEmpty())
                    row << text;
            } else if (xml.isEndElement() && xml.name() == QLatin1String("row")) {
                if (!header)
                    rows.insert(row.join(QChar(0x1f)));
                header = false;
            }
        }
        if (xml.hasError())
            unreadable(QStringLiteral("uszkodzony arkusz %1").arg(names[i]));
    }
    return keys;
}

} // namespace WorkbookReader

} // namespace kolmrap
