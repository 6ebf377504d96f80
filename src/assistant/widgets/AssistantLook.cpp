#include "widgets/AssistantLook.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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
    form->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
}

void applyEditLook(QWidget* edit) {
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, EditBackground);
    edit->setPalette(p);
}

bool speakPolish() {
    static QTranslator* translator = [] {
        auto* t = new QTranslator(QCoreApplication::instance());
        if (t->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(t);
        return t;
    }();
    return !translator->isEmpty();
}

} // namespace AssistantLook

} // namespace kolmasyst
