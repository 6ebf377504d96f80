#pragma once

#include <QList>
#include <QString>

#include <map>
#include <memory>

namespace kolmasyst {

class TfrmHelpWindow;

// The help engine of the assistant: a help file name ("kolmasyst.chm") stands for a help
// bundle next to the program, a folder "<name without extension, lower case>.help" with one
// HTML page per topic number. Each bundle is shown in one help window of its own.
class HelpViewer {
public:
    explicit HelpViewer(QString programFolder);
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    static QString bundleName(const QString& helpFile);
    QString bundleFolder(const QString& helpFile) const;
    bool hasBundle(const QString& helpFile) const;

    // Opens the help file at a topic and returns its window, brought to the foreground. A
    // missing bundle or topic is reported in the window.
    TfrmHelpWindow* showTopic(const QString& helpFile, int topic);
    // Closes every help window.
    void closeAll();
    QList<TfrmHelpWindow*> windows() const;

private:
    QString m_programFolder;
    std::map<QString, std::unique_ptr<TfrmHelpWindow>> m_windows;
};

} // namespace kolmasyst
