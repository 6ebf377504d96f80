#include "helpkit/THookHelpSystem.h"

#include "MessageService.h"
#include "helpkit/HelpViewer.h"
#include "helpkit/TDLogFile.h"
#include "helpkit/TfrmHelpWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace kolmasyst {

const QString THookHelpSystem::DefaultHelpFile = QStringLiteral("kolmasyst.chm");
const char* const THookHelpSystem::HelpContextProperty = "helpContext";

THookHelpSystem::THookHelpSystem(HelpViewer& engine, TDLogFile& log, QObject* parent)
    : QObject(parent), m_engine(engine), m_log(log), m_helpFile(DefaultHelpFile) {
    m_log.DebugOut(
        QStringLiteral("Pomoc: plik %1, pakiet %2 %3")
            .arg(m_helpFile, m_engine.bundleFolder(m_helpFile),
                 engine.hasBundle(m_helpFile) ? QStringLiteral("znaleziony") : QStringLiteral("brak")));
    if (qApp)
        qApp->installEventFilter(this);
}

THookHelpSystem::~THookHelpSystem() {
    if (qApp)
        qApp->removeEventFilter(this);
}

int THookHelpSystem::helpContextOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const int topic = w->property(HelpContextProperty).toInt();
        if (topic != 0)
            return topic;
        if (w->isWindow())
            break;
    }
    return 0;
}

void THookHelpSystem::HelpContext(int topic) {
    HelpCommand(HELP_CONTEXT, topic);
}

void THookHelpSystem::Quit() {
    HelpCommand(HELP_QUIT, 0);
}

bool THookHelpSystem::HelpCommand(int command, qintptr data) {
    switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        m_log.DebugOut(QStringLiteral("HH_HELP_CONTEXT plik=%1 temat=%2").arg(m_helpFile).arg(data));
        showTopic(int(data));
        return false;
    case HELP_SETPOPUP_POS:
        // The position comes packed as the low and high words of the number.
        m_popupPosition = QPoint(qint16(data & 0xFFFF), qint16((data >> 16) & 0xFFFF));
        m_log.DebugOut(
            QStringLiteral("HELP_SETPOPUP_POS x=%1 y=%2").arg(m_popupPosition.x()).arg(m_popupPosition.y()));
        return false;
    case HELP_QUIT:
        m_log.DebugOut(QStringLiteral("HH_CLOSE_ALL"));
        m_engine.closeAll();
        return false;
    default:
        m_log.DebugOut(QStringLiteral("polecenie %1 (%2) przekazane dalej").arg(command).arg(data));
        return true;
    }
}

void THookHelpSystem::showTopic(int topic) {
    // The help window is part of the program: a missing help folder is said in the window.
    const TfrmHelpWindow* window = m_engine.showTopic(m_helpFile, topic);
    m_log.DebugOut(QStringLiteral("otwarto %1 temat %2%3")
                       .arg(window->bundleFolder())
                       .arg(topic)
                       .arg(window->topicMissing() ? QStringLiteral(" (brak tematu)") : QString()));
}

bool THookHelpSystem::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            const int topic = helpContextOf(static_cast<QWidget*>(watched));
            if (topic != 0) {
                HelpContext(topic);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kolmasyst
