#include "MessageService.h"

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

namespace {
StdErrMessageService g_stdErr;
IMessageService* g_service = nullptr;
} // namespace

namespace Messages {

IMessageService& service() {
    return g_service ? *g_service : g_stdErr;
}

void setService(IMessageService* s) {
    g_service = s;
}

void show(const QString& text, const QString& caption) {
    service().showMessage(text, caption);
}

bool ask(const QString& text, const QString& caption) {
    return service().askYesNo(text, caption);
}

} // namespace Messages
