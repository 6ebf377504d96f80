#pragma once

#include "LoginSession.h"
#include "UserFixture.h"
#include "helpkit/HelpViewer.h"
#include "helpkit/TDLogFile.h"
#include "helpkit/THookHelpSystem.h"
#include "windows/TfrmLogowanie.h"
#include "windows/TfrmMainForm.h"

#include <QTimer>
#include <functional>
#include <memory>

using namespace kolmasyst;

// The assistant as main() puts it together, over a throwaway database: the login logic and
// dialog, the help kit (engine over the fixture's programs' folder, diagnostic log, hook) and
// the main form.
class MainFormFixture : public UserFixture {
protected:
    void SetUp() override;
    void TearDown() override;
    // Builds the help kit and the form; tests that prepare the programs' folder first call it
    // again after their preparation.
    void createForm(const QStringList& arguments = QStringList());
    void destroyForm();

    // Runs action once the login dialog is shown (during its modal loop).
    void whenLoginShown(std::function<void(TfrmLogowanie&)> action);
    // Runs action once dialog is the active modal window (during its modal loop).
    void whenModal(QDialog* dialog, std::function<void()> action);
    // Fills the shown login dialog and presses OK; or presses Anuluj when accept is false.
    void answerLogin(const QString& name, const QString& password, bool accept = true);
    // Runs the application's event loop until the form ends the program or timeoutMs pass;
    // returns whether the program was ended.
    bool runUntilEnd(const std::function<void()>& start, int timeoutMs = 3000);
    // Copies the built help bundle next to the fixture's programs.
    void installHelpBundle();

    std::unique_ptr<LoginSession> m_session;
    std::unique_ptr<TfrmLogowanie> m_login;
    std::unique_ptr<TDLogFile> m_helpLog;
    std::unique_ptr<HelpViewer> m_viewer;
    std::unique_ptr<THookHelpSystem> m_help;
    std::unique_ptr<TfrmMainForm> m_form;
    QTimer m_loginWatch;
    QTimer m_modalWatch;
};
