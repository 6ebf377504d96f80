#include "helpkit/TfrmHelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace kolmasyst {

const QString TfrmHelpWindow::ContentsPage = QStringLiteral("index.html");

namespace {
const QString kTitleSuffix = QStringLiteral(" - Pomoc asystenta systemu KOLM");
}

TfrmHelpWindow::TfrmHelpWindow(const QString& bundleFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_bundleFolder(bundleFolder) {
    setObjectName(QStringLiteral("frmHelpWindow"));
    setWindowTitle(QStringLiteral("Pomoc asystenta systemu KOLM"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    tbHelp = new QToolBar(this);
    tbHelp->setObjectName(QStringLiteral("tbHelp"));
    tbHelp->setToolButtonStyle(Qt::ToolButtonTextOnly);
    aContents = tbHelp->addAction(QString::fromUtf8("Spis treści"));
    aBack = tbHelp->addAction(QStringLiteral("Wstecz"));
    aForward = tbHelp->addAction(QStringLiteral("Dalej"));
    aBack->setShortcut(QKeySequence::Back);
    aForward->setShortcut(QKeySequence::Forward);
    aBack->setEnabled(false);
    aForward->setEnabled(false);
    layout->addWidget(tbHelp);

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenExternalLinks(true);
    browser->setSearchPaths({m_bundleFolder});
    layout->addWidget(browser);

    connect(aContents, &QAction::triggered, this,
            [this] { browser->setSource(QUrl::fromLocalFile(QDir(m_bundleFolder).filePath(ContentsPage))); });
    connect(aBack, &QAction::triggered, browser, &QTextBrowser::backward);
    connect(aForward, &QAction::triggered, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, aBack, &QAction::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, aForward, &QAction::setEnabled);
    // The signal brings the new page before the browser reports it as its source.
    connect(browser, &QTextBrowser::sourceChanged, this, &TfrmHelpWindow::pageChanged);

    resize(620, 480);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString TfrmHelpWindow::pageName(int topic) {
    return QString::number(topic) + QStringLiteral(".html");
}

void TfrmHelpWindow::showTopic(int topic) {
    const QString page = QDir(m_bundleFolder).filePath(pageName(topic));
    if (QFileInfo::exists(page)) {
        browser->setSource(QUrl::fromLocalFile(page));
        return;
    }
    // A missing bundle or topic is said in the help window itself.
    m_topic = topic;
    m_missing = true;
    if (!QFileInfo(m_bundleFolder).isDir()) {
        browser->setHtml(
            QStringLiteral("<h2>Nie można otworzyć pliku pomocy</h2><p>Brak folderu pomocy %1.</p>")
                .arg(m_bundleFolder.toHtmlEscaped()));
    } else {
        browser->setHtml(
            QStringLiteral("<h2>Nie znaleziono tematu pomocy</h2>"
                           "<p>Plik pomocy nie zawiera tematu o numerze %1.</p>"
                           "<p><a href=\"%2\">Spis treści</a></p>")
                .arg(topic)
                .arg(QUrl::fromLocalFile(QDir(m_bundleFolder).filePath(ContentsPage)).toString()));
    }
    setWindowTitle(QStringLiteral("Brak tematu") + kTitleSuffix);
}

void TfrmHelpWindow::pageChanged(const QUrl& page) {
    const QString name = QFileInfo(page.toLocalFile()).completeBaseName();
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    m_topic = isNumber ? number : 0;
    m_missing = false;
    const QString title = browser->documentTitle();
    setWindowTitle((title.isEmpty() ? QStringLiteral("Pomoc") : title) + kTitleSuffix);
}

} // namespace kolmasyst
