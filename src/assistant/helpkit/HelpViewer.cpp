#include "helpkit/HelpViewer.h"

#include "helpkit/TfrmHelpWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWindow>

namespace kolmasyst {

HelpViewer::HelpViewer(QString programFolder) : m_programFolder(std::move(programFolder)) {}

HelpViewer::~HelpViewer() = default;

QString HelpViewer::bundleName(const QString& helpFile) {
    // "KOLMASYST.CHM" and "kolmasyst.chm" name the same file, as they do on Windows.
    return QFileInfo(helpFile).completeBaseName().toLower() + QStringLiteral(".help");
}

QString HelpViewer::bundleFolder(const QString& helpFile) const {
    return QDir(m_programFolder).filePath(bundleName(helpFile));
}

bool HelpViewer::hasBundle(const QString& helpFile) const {
    return QFileInfo(bundleFolder(helpFile)).isDir();
}

TfrmHelpWindow* HelpViewer::showTopic(const QString& helpFile, int topic) {
    const QString folder = bundleFolder(helpFile);
    std::unique_ptr<TfrmHelpWindow>& window = m_windows[folder];
    if (!window)
        window = std::make_unique<TfrmHelpWindow>(folder);
    window->showTopic(topic);
    // Help asked for from a modal dialog must stay usable while the dialog is open: the help
    // window then belongs to the dialog, which keeps it out of the dialog's input block.
    QWidget* modal = QApplication::activeModalWidget();
    window->winId();
    if (QWindow* handle = window->windowHandle())
        handle->setTransientParent(modal && modal != window.get() ? modal->windowHandle() : nullptr);
    window->show();
    window->raise();
    window->activateWindow();
    return window.get();
}

void HelpViewer::closeAll() {
    for (auto& entry : m_windows) {
        if (entry.second)
            entry.second->close();
    }
    m_windows.clear();
}

QList<TfrmHelpWindow*> HelpViewer::windows() const {
    QList<TfrmHelpWindow*> out;
    for (const auto& entry : m_windows)
        out.append(entry.second.get());
    return out;
}

} // namespace kolmasyst
