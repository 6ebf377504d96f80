#include "widgets/AssistantLook.h"

#include <QFont>
#include <QFontDatabase>
#include <QWidget>

namespace kolmasyst {

namespace AssistantLook {

void applyFormLook(QWidget* form) {
    QPalette p = form->palette();
    p.setColor(QPalette::Window, Background);
    form->setPalette(p);
    form->setAutoFillBackground(true);
    // The desktop's sans-serif font at 8 points.
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setPointSize(8);
    form->setFont(f);
}

void applyEditLook(QWidget* edit) {
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, EditBackground);
    edit->setPalette(p);
}

} // namespace AssistantLook

} // namespace kolmasyst
