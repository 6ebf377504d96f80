#pragma once

#include "MessageService.h"

#include <QMessageBox>

namespace kolmasyst {

// The assistant's messages: modal boxes centred on the screen. The help system's warnings use
// the exclamation icon for both kinds.
class DialogMessageService : public IMessageService {
public:
    explicit DialogMessageService(QMessageBox::Icon messageIcon = QMessageBox::NoIcon,
                                  QMessageBox::Icon questionIcon = QMessageBox::Question)
        : m_messageIcon(messageIcon), m_questionIcon(questionIcon) {}

    void showMessage(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;

private:
    QMessageBox::Icon m_messageIcon;
    QMessageBox::Icon m_questionIcon;
};

} // namespace kolmasyst
