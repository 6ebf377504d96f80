#include "widgets/TrayImages.h"

namespace kolmasyst {

namespace {
QString resourcePath(int index, bool large) {
    return QStringLiteral(":/tray/tray%1%2.png")
        .arg(index, 2, 10, QLatin1Char('0'))
        .arg(large ? QStringLiteral("@2x") : QString());
}
} // namespace

namespace TrayImages {

QIcon icon(int index) {
    QIcon result;
    result.addFile(resourcePath(index, false), QSize(Size, Size));
    result.addFile(resourcePath(index, true), QSize(2 * Size, 2 * Size));
    return result;
}

QPixmap pixmap(int index) {
    return QPixmap(resourcePath(index, false));
}

} // namespace TrayImages

} // namespace kolmasyst
