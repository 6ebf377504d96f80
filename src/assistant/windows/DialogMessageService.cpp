#include "windows/DialogMessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace kolmasyst {

namespace {
QString titleOr(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}
} // namespace

void DialogMessageService::showMessage(const QString& text, const QString& caption) {
    QMessageBox box(m_messageIcon, titleOr(caption), text, QMessageBox::Ok);
    box.exec();
}

bool DialogMessageService::askYesNo(const QString& text, const QString& caption) {
    QMessageBox box(m_questionIcon, titleOr(caption), text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace kolmasyst
