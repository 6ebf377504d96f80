#pragma once

#include "MessageService.h"

// Message boxes with the exclamation icon, for the warnings of the help system.
class ExclamationMessageService : public IMessageService {
public:
    void showMessage(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;
};
