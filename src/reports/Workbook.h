#pragma once

#include "SectionSheet.h"

#include <QByteArray>
#include <QVector>

namespace kolmrap {

// The run's workbook: one sheet per section written, named after the section, with a bold,
// frozen header row, an auto filter, dates as dates and widths that fit the text.
namespace Workbook {

// The workbook's bytes, built in a private temporary folder. Raises EKolmError.
QByteArray build(const QVector<SectionSheet>& sheets);

} // namespace Workbook

} // namespace kolmrap
