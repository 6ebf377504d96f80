#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace kolmrap {

// Reads back a workbook this program wrote: per sheet, the rows below the header as keys made of
// their text cells (numbers and dates left out). Raises EKolmError when the file cannot be read.
namespace WorkbookReader {

QHash<QString, QSet<QString>> rowKeys(const QString& path);

} // namespace WorkbookReader

} // namespace kolmrap
