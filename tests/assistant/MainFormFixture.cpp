#include "MainFormFixture.h"

#include "widgets/TBitBtnWithColor.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {
// The built bundle lies next to the built programs.
QString builtBundle() {
    return QDir(QStringLiteral(KOLM_BIN_DIR)).filePath(QStringLiteral("kolmasyst.help"));
}
} // namespace

void MainFormFixture::SetUp() {
    UserFixture::SetUp();
    m_session = std::make_unique<LoginSession>(m_app->karty(), m_messages, m_clock);
    m_login = std::make_unique<TfrmLogowanie>(*m_session, m_messages);
    createForm();
}

void MainFormFixture::TearDown() {
    m_loginWatch.stop();
    m_modalWatch.stop();
    destroyForm();
    m_login.reset();
    m_session.reset();
    UserFixture::TearDown();
}

void MainFormFixture::createForm(const QStringList& arguments) {
    destroyForm();
    m_helpLog = std::make_unique<TDLogFile>(m_dir.path(), arguments, m_clock);
    m_viewer = std::make_unique<HelpViewer>(m_dir.path());
    m_help = std::make_unique<THookHelpSystem>(*m_viewer, *m_helpLog);
    m_form = std::make_unique<TfrmMainForm>(*m_app, *m_login, *m_help);
}

void MainFormFixture::destroyForm() {
    m_form.reset();
    m_help.reset();
    m_viewer.reset();
    m_helpLog.reset();
}

void MainFormFixture::whenLoginShown(std::function<void(TfrmLogowanie&)> action) {
    m_loginWatch.disconnect();
    m_loginWatch.setInterval(5);
    QObject::connect(&m_loginWatch, &QTimer::timeout, [this, action] {
        if (!m_login->isVisible())
            return;
        m_loginWatch.stop();
        action(*m_login);
    });
    m_loginWatch.start();
}

void MainFormFixture::whenModal(QDialog* dialog, std::function<void()> action) {
    m_modalWatch.disconnect();
    m_modalWatch.setInterval(5);
    auto shownAt = std::make_shared<QElapsedTimer>();
    QObject::connect(&m_modalWatch, &QTimer::timeout, [this, dialog, action, shownAt] {
        if (QApplication::activeModalWidget() != dialog)
            return;
        // A user acts once the window is active (has the keyboard); a platform that never
        // makes it so gets the action after a while all the same.
        if (!shownAt->isValid())
            shownAt->start();
        if (!dialog->isActiveWindow() && shownAt->elapsed() < 3000)
            return;
        m_modalWatch.stop();
        action();
        // A check that failed before the action closed its window: closed here, so that the
        // test fails instead of waiting for ever.
        if (::testing::Test::HasFatalFailure() && QApplication::activeModalWidget() == dialog)
            dialog->reject();
    });
    m_modalWatch.start();
}

void MainFormFixture::answerLogin(const QString& name, const QString& password, bool accept) {
    whenLoginShown([name, password, accept](TfrmLogowanie& d) {
        if (!accept) {
            QTest::mouseClick(d.BitBtn2, Qt::LeftButton);
            return;
        }
        d.eNazwa->setText(name);
        d.eHaslo->setText(password);
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
    });
}

bool MainFormFixture::runUntilEnd(const std::function<void()>& start, int timeoutMs) {
    constexpr int kTimedOut = 77;
    QTimer starter;
    starter.setSingleShot(true);
    QObject::connect(&starter, &QTimer::timeout, start);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(kTimedOut); });
    starter.start(0);
    limit.start(timeoutMs);
    return QApplication::exec() != kTimedOut;
}

void MainFormFixture::installHelpBundle() {
    const QString target = m_dir.filePath(QStringLiteral("kolmasyst.help"));
    QDir().mkpath(target);
    QDirIterator it(builtBundle(), QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        QFile::copy(source, QDir(target).filePath(QFileInfo(source).fileName()));
    }
}
