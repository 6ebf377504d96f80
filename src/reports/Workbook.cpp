#include "Workbook.h"

#include "Errors.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>

namespace {

void check(lxw_error error) {
    if (error != LXW_NO_ERROR)
        throw EKolmError(
            QStringLiteral("Nie można utworzyć arkusza: %1").arg(QString::fromUtf8(lxw_strerror(error))));
}

} // namespace

namespace Workbook {

QByteArray build(const QVector<SectionSheet>& sheets) {
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
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    try {
        for (const SectionSheet& s : sheets) {
            lxw_worksheet* sheet = workbook_add_worksheet(book, s.name.toUtf8().constData());
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
                for (int c = 0; c < row.size() && c < widths.size(); ++c) {
                    const QVariant& v = row[c];
                    const auto at = lxw_row_t(r + 1);
                    if (v.metaType().id() == QMetaType::QDate) {
                        const QDate d = v.toDate();
                        lxw_datetime when{d.year(), d.month(), d.day(), 0, 0, 0};
                        check(worksheet_write_datetime(sheet, at, lxw_col_t(c), &when, date));
                        widths[c] = std::max(widths[c], 10);
                    } else {
                        const QString text = v.toString();
                        if (!text.isEmpty())
                            check(worksheet_write_string(sheet, at, lxw_col_t(c), text.toUtf8().constData(),
                                                         nullptr));
                        widths[c] = std::max(widths[c], int(text.size()));
                    }
                }
            }
            for (int c = 0; c < widths.size(); ++c)
                check(worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(60, widths[c] + 2),
                                           nullptr));
            worksheet_freeze_panes(sheet, 1, 0);
            if (!s.headers.isEmpty())
                check(worksheet_autofilter(sheet, 0, 0, lxw_row_t(s.rows.size()),
                                           lxw_col_t(s.headers.size() - 1)));
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
