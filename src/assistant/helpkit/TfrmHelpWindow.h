#pragma once

#include <QWidget>

class QAction;
class QTextBrowser;
class QUrl;
class QToolBar;

namespace kolmasyst {

// The help window: one help bundle's pages (one HTML page per topic number, and a contents
// page), with the links between them and the usual back, forward and contents commands.
class TfrmHelpWindow : public QWidget {
    Q_OBJECT
public:
    static const QString ContentsPage; // "index.html"

    explicit TfrmHelpWindow(const QString& bundleFolder, QWidget* parent = nullptr);

    const QString& bundleFolder() const { return m_bundleFolder; }
    // Shows the page of a topic; a topic without a page is reported in the window.
    void showTopic(int topic);
    // The topic shown, from the page's name; 0 for the contents and other pages.
    int topic() const { return m_topic; }
    // Whether the topic shown has no page.
    bool topicMissing() const { return m_missing; }
    static QString pageName(int topic);

    QToolBar* tbHelp;
    QAction* aContents;
    QAction* aBack;
    QAction* aForward;
    QTextBrowser* browser;

private:
    void pageChanged(const QUrl& page);

    QString m_bundleFolder;
    int m_topic = 0;
    bool m_missing = false;
};

} // namespace kolmasyst
