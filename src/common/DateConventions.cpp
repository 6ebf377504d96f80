#include "DateConventions.h"

#include "Clock.h"
#include "MyIniFile.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

// Splits a user pattern into runs of the same pattern letter and literal text.
struct Token {
    QChar letter; // 'd', 'M' or 'y'; null for literal text
    int count = 0;
    QString literal;
};

QVector<Token> tokenize(const QString& pattern) {
    QVector<Token> out;
    int i = 0;
    while (i < pattern.size()) {
        QChar c = pattern.at(i);
        QChar letter;
        if (c == QLatin1Char('d') || c == QLatin1Char('D'))
            letter = QLatin1Char('d');
        else if (c == QLatin1Char('m') || c == QLatin1Char('M'))
            letter = QLatin1Char('M');
        else if (c == QLatin1Char('y') || c == QLatin1Char('Y'))
            letter = QLatin1Char('y');
        if (letter.isNull()) {
            if (out.isEmpty() || !out.last().letter.isNull())
                out.append(Token());
            out.last().literal += c;
            ++i;
            continue;
        }
        int n = 0;
        while (i < pattern.size() && pattern.at(i).toLower() == c.toLower()) {
            ++n;
            ++i;
        }
        Token t;
        t.letter = letter;
        t.count = n;
        out.append(t);
    }
    return out;
}

QString qtRun(QChar letter, int count) {
    if (letter == QLatin1Char('y'))
        return count <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
    return QString(qMin(count, 4), letter);
}

QString quoteLiteral(const QString& text) {
    // Letters would be read by Qt as pattern letters; quote them.
    if (!text.contains(QRegularExpression(QStringLiteral("[A-Za-z']"))))
        return text;
    QString q = text;
    q.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

} // namespace

QString DateConventions::toQtPattern(const QString& userPattern) {
    QString out;
    for (const Token& t : tokenize(userPattern))
        out += t.letter.isNull() ? quoteLiteral(t.literal) : qtRun(t.letter, t.count);
    return out;
}

QString DateConventions::formatWith(const QDate& date, const QString& userPattern) {
    return QLocale(QLocale::Polish, QLocale::Poland).toString(date, toQtPattern(userPattern));
}

bool DateConventions::parseWith(const QString& text, const QString& userPattern, QDate* date,
                                const IClock& clock) {
    // Numeric parts accept one or two digits, as users type them; the year keeps its width
    // unless a four-digit year is typed where two were expected.
    QString lenient;
    bool twoDigitYear = false;
    for (const Token& t : tokenize(userPattern)) {
        if (t.letter.isNull())
            lenient += quoteLiteral(t.literal);
        else if (t.letter == QLatin1Char('y')) {
            twoDigitYear = t.count <= 2;
            lenient += qtRun(t.letter, t.count);
        } else
            lenient += t.count <= 2 ? QString(t.letter) : qtRun(t.letter, t.count);
    }
    const QString trimmed = text.trimmed();
    const QLocale locale(QLocale::Polish, QLocale::Poland);
    QDate d = locale.toDate(trimmed, lenient);
    if (!d.isValid() && twoDigitYear) {
        QString wide = lenient;
        wide.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        d = locale.toDate(trimmed, wide);
        twoDigitYear = false;
    }
    if (!d.isValid())
        return false;
    if (twoDigitYear) {
        const int century = clock.today().year() / 100 * 100;
        d = QDate(century + d.year() % 100, d.month(), d.day());
        if (!d.isValid())
            return false;
    }
    *date = d;
    return true;
}

void DateConventions::ApplyDateFormat(const QString& format) {
    if (format.isEmpty() || format == TMyIniFile::Missing) {
        m_settings.dateFormat = m_shortFormat;
        m_settings.dateSeparator = m_separator;
        return;
    }
    QChar separator;
    if (format.contains(QLatin1Char('-')))
        separator = QLatin1Char('-');
    if (format.contains(QLatin1Char('.')))
        separator = QLatin1Char('.');
    if (format.contains(QLatin1Char('/')))
        separator = QLatin1Char('/');
    m_shortFormat = format;
    m_separator = separator;
    m_settings.dateFormat = format;
    m_settings.dateSeparator = separator;
}

QString DateConventions::formatDate(const QDate& date) const {
    return formatWith(date, m_shortFormat);
}

bool DateConventions::parseDate(const QString& text, QDate* date, const IClock& clock) const {
    return parseWith(text, m_settings.dateFormat, date, clock);
}

bool DateConventions::NormalizeDateText(QString& text, const IClock& clock) const {
    QDate date;
    const bool ok = parseDate(text, &date, clock);
    if (!ok)
        date = clock.today();
    text = formatDate(date);
    return ok;
}
