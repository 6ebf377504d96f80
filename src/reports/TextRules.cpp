#include "TextRules.h"

namespace kolmrap {

QString StripPolishLetters(const QString& text) {
    static const QString from = QString::fromUtf8("ĄĆĘŁŃŚŹŻąćęłńśźż");
    static const QString to = QStringLiteral("ACELNSZZacelnszz");
    QString out = text;
    for (QChar& c : out) {
        const int at = from.indexOf(c);
        if (at >= 0)
            c = to.at(at);
    }
    return out;
}

} // namespace kolmrap
