#pragma once

#include "MessageService.h"

// The assistant's messages: modal boxes centred on the screen.
class DialogMessageService : public IMessageService {
public:
    void showMessage(const QString& text, const QString& caption) override;
    bool askYesNo(const QString& text, const QString& caption) override;
};
