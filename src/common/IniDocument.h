#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// The text of one INI file with the profile semantics the programs rely on: section and key
// names match without regard to letter case, the first occurrence of a duplicate wins, a value
// is the text after the first "=" without surrounding blanks. Lines that are not touched keep
// their exact bytes and line ends, so a write never disturbs what others wrote by hand.
class IniDocument {
public:
    // The file is Windows-1250; a file that starts with a UTF-8 byte-order mark is read and
    // written back as UTF-8.
    static IniDocument fromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    bool hasKey(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& defaultValue) const;
    // Replaces the key's line, or appends it at the end of its section; a missing section is
    // appended at the end of the file.
    void setValue(const QString& section, const QString& key, const QString& value);
    bool removeKey(const QString& section, const QString& key);

    bool hasSection(const QString& section) const;
    // The section's key=value lines in file order (comments and lines without "=" left out).
    QStringList sectionLines(const QString& section) const;
    // Section names in file order, each once.
    QStringList sectionNames() const;
    void removeSection(const QString& section);
    // Appends a section with the given lines (replacing nothing).
    void appendSection(const QString& section, const QStringList& lines);

private:
    struct Line {
        QString text;
        QString eol;
    };
    struct Range {
        int header = -1; // index of the [section] line, -1 when missing
        int end = 0;     // one past the section's last line
    };

    Range findSection(const QString& section) const;
    int findKey(const Range& range, const QString& key) const;
    void appendLine(const QString& text);
    QString newEol() const;

    QVector<Line> m_lines;
    bool m_utf8 = false;
};
