#pragma once

#include "ReportState.h"

#include <QString>

// Writes a report as a PDF: the first pass walks the data and paginates with the measures of
// the PDF device, the second paints every page with its page number and the total known. The
// document is built in memory and written through a temporary file in the target folder that
// is renamed into place only when complete. Raises ReportEngineError; errors of row handlers
// pass through unchanged. Returns the page count.
namespace PdfRenderer {

int render(ReportState& state, const QString& path);
// The same document, left in memory for a caller that writes it itself.
int renderToBytes(ReportState& state, QByteArray& pdf);

} // namespace PdfRenderer
