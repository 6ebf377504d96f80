#pragma once

#include <QColor>

class QWidget;

namespace kolmasyst {

// The colours and font every window of the assistant shares.
namespace AssistantLook {
const QColor Background(244, 232, 181);
const QColor ListBackground(243, 243, 243);
const QColor EditBackground(255, 255, 223);

void applyFormLook(QWidget* form);
void applyEditLook(QWidget* edit);
} // namespace AssistantLook

} // namespace kolmasyst
