#include "IniDocument.h"

#include "Win1250.h"

#include <QSet>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

bool isSectionHeader(const QString& line, QString* name) {
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = t.mid(1, close - 1).trimmed();
    return true;
}

bool isComment(const QString& line) {
    return line.trimmed().startsWith(QLatin1Char(';'));
}

// The key of a key=value line; empty for lines that carry no key.
QString keyOf(const QString& line) {
    if (isComment(line))
        return QString();
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QString();
    return line.left(eq).trimmed();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::fromBytes(const QByteArray& bytes) {
    IniDocument doc;
    QString text;
    if (bytes.startsWith(kUtf8Bom)) {
        doc.m_utf8 = true;
        text = QString::fromUtf8(bytes.mid(kUtf8Bom.size()));
    } else {
        text = Win1250::decode(bytes);
    }
    int pos = 0;
    while (pos < text.size()) {
        const int nl = text.indexOf(QLatin1Char('\n'), pos);
        Line line;
        if (nl < 0) {
            line.text = text.mid(pos);
            pos = text.size();
        } else {
            line.text = text.mid(pos, nl - pos);
            line.eol = QStringLiteral("\n");
            if (line.text.endsWith(QLatin1Char('\r'))) {
                line.text.chop(1);
                line.eol = QStringLiteral("\r\n");
            }
            pos = nl + 1;
        }
        doc.m_lines.append(line);
    }
    return doc;
}

QByteArray IniDocument::toBytes() const {
    QString text;
    for (const Line& line : m_lines)
        text += line.text + line.eol;
    if (m_utf8)
        return kUtf8Bom + text.toUtf8();
    return Win1250::encode(text);
}

IniDocument::Range IniDocument::findSection(const QString& section) const {
    Range r;
    for (int i = 0; i < m_lines.size(); ++i) {
        QString name;
        if (!isSectionHeader(m_lines[i].text, &name))
            continue;
        if (r.header >= 0) {
            r.end = i;
            return r;
        }
        if (sameName(name, section))
            r.header = i;
    }
    r.end = m_lines.size();
    return r;
}

int IniDocument::findKey(const Range& range, const QString& key) const {
    if (range.header < 0)
        return -1;
    for (int i = range.header + 1; i < range.end; ++i) {
        const QString k = keyOf(m_lines[i].text);
        if (!k.isEmpty() && sameName(k, key))
            return i;
    }
    return -1;
}

bool IniDocument::hasKey(const QString& section, const QString& key) const {
    return findKey(findSection(section), key) >= 0;
}

QString IniDocument::value(const QString& section, const QString& key, const QString& defaultValue) const {
    const int i = findKey(findSection(section), key);
    if (i < 0)
        return defaultValue;
    const QString& line = m_lines[i].text;
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

QString IniDocument::newEol() const {
    for (const Line& line : m_lines)
        if (!line.eol.isEmpty())
            return line.eol;
    return QStringLiteral("\n");
}

void IniDocument::appendLine(const QString& text) {
    if (!m_lines.isEmpty() && m_lines.last().eol.isEmpty())
        m_lines.last().eol = newEol();
    m_lines.append({text, newEol()});
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    const QString text = key + QLatin1Char('=') + value;
    const Range r = findSection(section);
    if (r.header < 0) {
        appendLine(QLatin1Char('[') + section + QLatin1Char(']'));
        appendLine(text);
        return;
    }
    const int existing = findKey(r, key);
    if (existing >= 0) {
        m_lines[existing].text = text;
        return;
    }
    // After the section's last non-blank line, so blank separator lines stay between sections.
    int at = r.end;
    while (at - 1 > r.header && m_lines[at - 1].text.trimmed().isEmpty())
        --at;
    if (at == m_lines.size()) {
        appendLine(text);
        return;
    }
    if (m_lines[at - 1].eol.isEmpty())
        m_lines[at - 1].eol = newEol();
    m_lines.insert(at, {text, newEol()});
}

bool IniDocument::removeKey(const QString& section, const QString& key) {
    const int i = findKey(findSection(section), key);
    if (i < 0)
        return false;
    m_lines.remove(i);
    return true;
}

bool IniDocument::hasSection(const QString& section) const {
    return findSection(section).header >= 0;
}

QStringList IniDocument::sectionLines(const QString& section) const {
    QStringList out;
    const Range r = findSection(section);
    if (r.header < 0)
        return out;
    for (int i = r.header + 1; i < r.end; ++i) {
        const QString& line = m_lines[i].text;
        const QString k = keyOf(line);
        if (k.isEmpty())
            continue;
        out << k + QLatin1Char('=') + line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
    }
    return out;
}

QStringList IniDocument::sectionNames() const {
    QStringList out;
    QSet<QString> seen;
    for (const Line& line : m_lines) {
        QString name;
        if (isSectionHeader(line.text, &name) && !seen.contains(name.toLower())) {
            seen.insert(name.toLower());
            out << name;
        }
    }
    return out;
}

void IniDocument::removeSection(const QString& section) {
    const Range r = findSection(section);
    if (r.header >= 0)
        m_lines.remove(r.header, r.end - r.header);
}

void IniDocument::appendSection(const QString& section, const QStringList& lines) {
    appendLine(QLatin1Char('[') + section + QLatin1Char(']'));
    for (const QString& line : lines)
        appendLine(line);
}
