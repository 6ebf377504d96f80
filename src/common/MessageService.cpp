#include "MessageService.h"

#include <QRegularExpression>

#include <cstdio>

void StdErrMessageService::showMessage(const QString& text, const QString& caption) {
    const QString line = caption.isEmpty() ? text : caption + QStringLiteral(": ") + text;
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

bool StdErrMessageService::askYesNo(const QString& text, const QString& caption) {
    showMessage(text + QStringLiteral(" [Nie]"), caption);
    return false;
}

void RecordingMessageService::showMessage(const QString& text, const QString& caption) {
    StdErrMessageService::showMessage(text, caption);
    const QString line = caption.isEmpty() ? text : caption + QStringLiteral(": ") + text;
    for (const QString& part : line.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts))
        m_lines << part.trimmed();
}
