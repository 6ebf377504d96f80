#include "Workbook.h"

#include "Errors.h"
#include "SharedSettings.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>

namespace kolmrap {

namespace {

void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw EKolmError(
            QStringLiteral("Nie można utworzyć arkusza: %1").arg(QString::fromUtf8(lxw_strerror(error))));
}

// The figures of the history under the first sheet's table and the line chart of them between
// the two: a column per section, a row per run.
void addHistoryChart(lxw_workbook* book, lxw_worksheet* sheet, const QByteArray& sheetName, int tableRows,
                     const QVector<RunHistory::Line>& history, lxw_format* header, lxw_format* date) {
    QStringList sections;
    for (const RunHistory::Line& l : history)
        if (l.section != RunHistory::LapseLine && l.rows >= 0 && !sections.contains(l.section))
            sections << l.section;
    const QVector<QDate> dates = RunHistory::runDates(history);
    if (sections.isEmpty() || dates.isEmpty())
        return;
    constexpr int ChartRows = 20;
    const auto first = lxw_row_t(tableRows + 2 + ChartRows + 1); // the figures' header row
    check(worksheet_write_string(sheet, first - 1, 0, "Historia przebiegów", header));
    check(worksheet_write_string(sheet, first, 0, "Data", header));
    for (int c = 0; c < sections.size(); ++c)
        check(
            worksheet_write_string(sheet, first, lxw_col_t(c + 1), sections[c].toUtf8().constData(), header));
    QHash<QPair<QDate, QString>, int> rows;
    for (const RunHistory::Line& l : history)
        rows.insert({l.date, l.section}, l.rows);
    for (int r = 0; r < dates.size(); ++r) {
        const QDate d = dates[r];
        lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
        const auto at = lxw_row_t(first + 1 + lxw_row_t(r));
        check(worksheet_write_datetime(sheet, at, 0, &when, date));
        for (int c = 0; c < sections.size(); ++c) {
            const int n = rows.value({d, sections[c]}, -1);
            if (n >= 0)
                check(worksheet_write_number(sheet, at, lxw_col_t(c + 1), n, nullptr));
        }
    }
    lxw_chart* chart = workbook_add_chart(book, LXW_CHART_LINE);
    if (!chart)
        throw EKolmError(QStringLiteral("Nie można utworzyć wykresu arkusza"));
    const QByteArray title = Workbook::ChartTitle.toUtf8();
    chart_title_set_name(chart, title.constData());
    chart_axis_set_name(chart->y_axis, "Wierszy");
    // The run dates as dates, not as the day numbers the cells hold.
    chart_axis_set_num_format(chart->x_axis, "yyyy-mm-dd");
    const auto last = lxw_row_t(first + lxw_row_t(dates.size()));
    for (int c = 0; c < sections.size(); ++c) {
        lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
        chart_series_set_categories(series, sheetName.constData(), first + 1, 0, last, 0);
        chart_series_set_values(series, sheetName.constData(), first + 1, lxw_col_t(c + 1), last,
                                lxw_col_t(c + 1));
        chart_series_set_name_range(series, sheetName.constData(), first, lxw_col_t(c + 1));
        chart_series_set_marker_type(series, LXW_CHART_MARKER_AUTOMATIC);
    }
    lxw_chart_options place{};
    place.x_scale = 1.4;
    place.y_scale = 1.3;
    check(worksheet_insert_chart_opt(sheet, lxw_row_t(tableRows + 2), 0, chart, &place));
}

} // namespace

namespace Workbook {

const QString ChartTitle = QStringLiteral("Wiersze sekcji w kolejnych przebiegach");

QByteArray build(const QVector<SectionSheet>& sheets, const QVector<RunHistory::Line>& history) {
    // Our own folder, for the library's scratch files and the workbook, gone with the run.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw EKolmError(QStringLiteral("Nie można utworzyć arkusza: brak folderu tymczasowego"));
    const QByteArray folder = QFile::encodeName(scratch.path());
    const QByteArray file = QFile::encodeName(scratch.filePath(QStringLiteral("arkusz.xlsx")));
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char*>(folder.constData());
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book)
        throw EKolmError(QStringLiteral("Nie można utworzyć arkusza"));
    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    lxw_format* plainDate = workbook_add_format(book);
    format_set_num_format(plainDate, "yyyy-mm-dd");
    // One text and one date format per fill colour.
    QHash<int, std::pair<lxw_format*, lxw_format*>> filled;
    const auto formats = [&](int colour) -> std::pair<lxw_format*, lxw_format*> {
        if (colour < 0)
            return {nullptr, plainDate};
        if (!filled.contains(colour)) {
            lxw_format* text = workbook_add_format(book);
            format_set_bg_color(text, lxw_color_t(colour));
            lxw_format* day = workbook_add_format(book);
            format_set_bg_color(day, lxw_color_t(colour));
            format_set_num_format(day, "yyyy-mm-dd");
            filled.insert(colour, {text, day});
        }
        return filled.value(colour);
    };
    try {
        for (const SectionSheet& s : sheets) {
            const QByteArray sheetName = s.name.toUtf8();
            lxw_worksheet* sheet = workbook_add_worksheet(book, sheetName.constData());
            if (!sheet)
                throw EKolmError(QStringLiteral("Nie można utworzyć arkusza %1").arg(s.name));
            QVector<int> widths;
            for (int c = 0; c < s.headers.size(); ++c) {
                check(worksheet_write_string(sheet, 0, lxw_col_t(c), s.headers[c].toUtf8().constData(),
                                             header));
                widths << int(s.headers[c].size());
            }
            for (int r = 0; r < s.rows.size(); ++r) {
                const QVector<QVariant>& row = s.rows[r];
                const auto [textFormat, dateFormat] = formats(s.rowColours.value(r, -1));
                for (int c = 0; c < row.size() && c < widths.size(); ++c) {
                    const QVariant& v = row[c];
                    const auto at = lxw_row_t(r + 1);
                    if (v.metaType().id() == QMetaType::QDate) {
                        const QDate d = v.toDate();
                        lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
                        check(worksheet_write_datetime(sheet, at, lxw_col_t(c), &when, dateFormat));
                        widths[c] = std::max(widths[c], 10);
                    } else if (v.metaType().id() == QMetaType::Int) {
                        check(worksheet_write_number(sheet, at, lxw_col_t(c), v.toInt(), textFormat));
                    } else {
                        const QString text = v.toString();
                        if (!text.isEmpty() || textFormat)
                            check(worksheet_write_string(sheet, at, lxw_col_t(c), text.toUtf8().constData(),
                                                         textFormat));
                        widths[c] = std::max(widths[c], int(text.size()));
                    }
                }
            }
            // The history's figures under the first sheet's table: a column per section.
            if (&s == &sheets.first() && !history.isEmpty())
                for (int c = 0; c <= Settings::SectionCount; ++c) {
                    if (c >= widths.size())
                        widths << 0;
                    widths[c] = std::max(widths[c], 11);
                }
            for (int c = 0; c < widths.size(); ++c)
                check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(60, widths[c] + 2),
                                           nullptr));
            worksheet_freeze_panes(sheet, 1, 0);
            if (!s.headers.isEmpty())
                check(worksheet_autofilter(sheet, 0, 0, lxw_row_t(s.rows.size()),
                                           lxw_col_t(s.headers.size() - 1)));
            if (&s == &sheets.first() && !history.isEmpty())
                addHistoryChart(book, sheet, sheetName, int(s.rows.size()) + 1, history, header, plainDate);
        }
    } catch (...) {
        workbook_close(book);
        throw;
    }
    check(workbook_close(book));
    QFile built(scratch.filePath(QStringLiteral("arkusz.xlsx")));
    if (!built.open(QIODevice::ReadOnly))
        throw EKolmError(QStringLiteral("Nie można odczytać arkusza: %1").arg(built.errorString()));
    return built.readAll();
}

} // namespace Workbook

} // namespace kolmrap
