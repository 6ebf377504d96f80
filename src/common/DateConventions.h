#pragma once

#include <QChar>
#include <QDate>
#include <QString>

class IClock;

// The record every stored date text is parsed back with.
struct DateFormatSettings {
    QString dateFormat = QStringLiteral("yyyy-MM-dd");
    QChar dateSeparator = QLatin1Char('-');
};

// The program's number and date conventions: fixed at start-up ("." and "yyyy-MM-dd") and
// possibly replaced by the user's date format. User formats use the letters d, dd, M, MM,
// m, mm (month, as in "dd.mm.yyyy"), yy and yyyy; the system locale is never consulted.
class DateConventions {
public:
    QChar decimalSeparator() const { return QLatin1Char('.'); }
    QChar dateSeparator() const { return m_separator; }
    const QString& shortDateFormat() const { return m_shortFormat; }
    const DateFormatSettings& formatSettings() const { return m_settings; }

    void ApplyDateFormat(const QString& format);

    // A date as text in the short date format.
    QString formatDate(const QDate& date) const;
    // Parses with the shared parsing settings; a two-digit year is taken in the century of
    // clock's today. Leading zeros are optional.
    bool parseDate(const QString& text, QDate* date, const IClock& clock) const;
    // Rewrites text in the short date format; an unparsable text becomes today's date and
    // false is returned.
    bool NormalizeDateText(QString& text, const IClock& clock) const;

    // A user date pattern as a Qt date pattern.
    static QString toQtPattern(const QString& userPattern);
    static QString formatWith(const QDate& date, const QString& userPattern);
    static bool parseWith(const QString& text, const QString& userPattern, QDate* date, const IClock& clock);

private:
    QString m_shortFormat = QStringLiteral("yyyy-MM-dd");
    QChar m_separator = QLatin1Char('-');
    DateFormatSettings m_settings;
};
