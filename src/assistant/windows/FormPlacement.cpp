#include "windows/FormPlacement.h"

#include "IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

namespace kolmasyst {

namespace {
constexpr int kUnset = -9999;
const char* const kProperties[] = {"Top", "Left", "Width", "Height"};

int readInt(const IniDocument& doc, const QString& section, const QString& key) {
    bool ok = false;
    const int v = doc.value(section, key, QString()).toInt(&ok);
    return ok ? v : kUnset;
}
} // namespace

FormPlacement::FormPlacement(const QString& placementFilePath) : m_path(placementFilePath) {}

QString FormPlacement::defaultPath() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    return exe.absolutePath() + QLatin1Char('/') + exe.completeBaseName() + QStringLiteral(".ini");
}

void FormPlacement::RestoreFormPlacement(QWidget* form) const {
    if (!form)
        return;
    const QString section = form->objectName();
    const IniDocument doc = IniFile(m_path).read();
    QString previous;
    for (const QString& line : doc.sectionLines(section)) {
        const QString name = line.section(QLatin1Char('.'), 0, 0);
        if (name == previous)
            continue;
        previous = name;
        QWidget* target = name == form->objectName() ? form : form->findChild<QWidget*>(name);
        if (!target)
            continue;
        QRect g = target->geometry();
        for (const char* property : kProperties) {
            const int v = readInt(doc, section, name + QLatin1Char('.') + QLatin1String(property));
            if (v == kUnset)
                continue;
            const QLatin1String p(property);
            if (p == QLatin1String("Top"))
                g.moveTop(v);
            else if (p == QLatin1String("Left"))
                g.moveLeft(v);
            else if (p == QLatin1String("Width"))
                g.setWidth(v);
            else
                g.setHeight(v);
        }
        if (target->isWindow()) {
            target->move(g.topLeft());
            target->resize(g.size());
        } else {
            target->setGeometry(g);
        }
    }
}

void FormPlacement::SaveFormPlacement(const QWidget* form) {
    if (!form)
        return;
    const QString name = form->objectName();
    const QRect g = form->isWindow() ? QRect(form->pos(), form->size()) : form->geometry();
    IniFile(m_path).update([&](IniDocument& doc) {
        doc.setValue(name, name + QStringLiteral(".ClassName"),
                     QString::fromLatin1(form->metaObject()->className()).section(QStringLiteral("::"), -1));
        doc.setValue(name, name + QStringLiteral(".Top"), QString::number(g.top()));
        doc.setValue(name, name + QStringLiteral(".Left"), QString::number(g.left()));
        doc.setValue(name, name + QStringLiteral(".Width"), QString::number(g.width()));
        doc.setValue(name, name + QStringLiteral(".Height"), QString::number(g.height()));
    });
}

} // namespace kolmasyst
