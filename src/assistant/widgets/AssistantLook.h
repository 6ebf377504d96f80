#pragma once

#include <QColor>

class QWidget;

namespace kolmasyst {

// The colours, font and language every window of the assistant shares.
namespace AssistantLook {
const QColor Background(244, 232, 181);
const QColor ListBackground(243, 243, 243);
const QColor EditBackground(255, 255, 223);

// The form's colour and font, and the Polish locale for the calendars, month and day names and
// sorting of its widgets, whatever the desktop's locale.
void applyFormLook(QWidget* form);
void applyEditLook(QWidget* edit);
// Qt's own texts (the standard buttons "Tak" and "Nie", the file dialogs, error details) in
// Polish, from the translations installed with Qt. Once per program; returns whether they were
// found.
bool speakPolish();
} // namespace AssistantLook

} // namespace kolmasyst
