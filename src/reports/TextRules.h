#pragma once

#include <QString>

namespace kolmrap {

// Polish letters the report font encoding lacks become their plain letters (Ó and ó stay).
QString StripPolishLetters(const QString& text);

} // namespace kolmrap
