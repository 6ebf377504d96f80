#include "ExclamationMessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace {
QString titleOr(const QString& caption) {
    return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}
} // namespace

void ExclamationMessageService::showMessage(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, titleOr(caption), text, QMessageBox::Ok);
    box.exec();
}

bool ExclamationMessageService::askYesNo(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, titleOr(caption), text, QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
