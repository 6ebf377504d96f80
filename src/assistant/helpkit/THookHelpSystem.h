#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

class QWidget;

namespace kolmasyst {

class HelpViewer;
class TDLogFile;

// The program's help handler: takes every help request of the assistant (F1 in a window, the
// "Pomoc" button, the quit request at the end) and passes it to the help engine. F1 opens the
// topic of the focused control or of the nearest enclosing widget that carries one (the
// "helpContext" property, as the assistant's windows set it).
class THookHelpSystem : public QObject {
    Q_OBJECT
public:
    // The framework's help commands.
    static constexpr int HELP_CONTEXT = 1;
    static constexpr int HELP_QUIT = 2;
    static constexpr int HELP_CONTEXTPOPUP = 8;
    static constexpr int HELP_SETPOPUP_POS = 13;
    static const QString DefaultHelpFile;         // "kolmasyst.chm"
    static const char* const HelpContextProperty; // "helpContext"

    // Installs itself as the program's help handler (F1 in every window).
    THookHelpSystem(HelpViewer& engine, TDLogFile& log, QObject* parent = nullptr);
    ~THookHelpSystem() override;

    // The application's help file.
    const QString& HelpFile() const { return m_helpFile; }
    void setHelpFile(const QString& helpFile) { m_helpFile = helpFile; }
    // Whether the help engine was found at start-up.

    // Requests a topic of the application's help file.
    void HelpContext(int topic);
    // The quit request: closes every help window.
    void Quit();
    // The handler of a help command; returns whether the framework should still handle the
    // request itself.
    bool HelpCommand(int command, qintptr data);

    const QPoint& popupPosition() const { return m_popupPosition; }
    // The topic for F1 in this widget: its own, else that of the nearest ancestor; 0 for none.
    static int helpContextOf(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTopic(int topic);

    HelpViewer& m_engine;
    TDLogFile& m_log;
    QString m_helpFile;
    QPoint m_popupPosition;
};

} // namespace kolmasyst
