#pragma once

#include "RunHistory.h"
#include "SectionSheet.h"

#include <QByteArray>
#include <QVector>

namespace kolmrap {

// The run's workbook: one sheet per section written, named after the section, with a bold,
// frozen header row, an auto filter, dates as dates and widths that fit the text.
namespace Workbook {

// The workbook's bytes, built in a private temporary folder. With a history, the first sheet
// gets, under its table, a line chart of each section's rows over the runs, and the chart's
// figures below it. Raises EKolmError.
QByteArray build(const QVector<SectionSheet>& sheets, const QVector<RunHistory::Line>& history = {});

// The chart's title: "Wiersze sekcji w kolejnych przebiegach".
extern const QString ChartTitle;

} // namespace Workbook

} // namespace kolmrap
