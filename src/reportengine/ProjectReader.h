#pragma once

#include "ReportDesign.h"

#include <QByteArray>
#include <QVector>
#include <memory>

// Reads the JSON text of a report project into report designs, in project order. Unknown keys,
// missing required keys and references to unknown names raise ReportEngineError, so a typing
// error in the project fails loudly instead of printing an empty section.
//
// Format (lengths in inches, rule thickness in points):
//   { "fontSubstitutes": { "Arial CE": "Liberation Sans", ... },
//     "styles": { "<style>": { "family", "size", "bold", "italic", "underline" }, ... },
//     "page": { "name", "width", "height", "region": { "left", "top", "width", "height" },
//               "furniture": [ <component>, ... ] },
//     "reports": [ { "name", "page": { <keys replacing those of the project's page> },
//                    "dataViews": [ { "name", "connection", "fields": [...],
//                                     "master", "keys": [...] } ],
//                    "bands": [ { "name", "kind": "title" | "header" | "detail", "height",
//                                 "dataView" (detail), "for" (header), "repeatOnNewPage",
//                                 "keepWithNext", "components": [ <component>, ... ] } ] } ] }
//   <component> = { "name", "kind": "text" | "label" | "memo" | "field" | "rule" | "computed",
//                   "left", "top", "width", "height", "style" or "font": {...}, "align",
//                   "text", "field", "dataView", "format", "thickness" }
// A computed text is a template with {PageNumber}, {TotalPages} and {RunDate}; it may only
// stand among the page furniture.
namespace ProjectReader {

QVector<std::shared_ptr<ReportDesign>> read(const QByteArray& json);

}
