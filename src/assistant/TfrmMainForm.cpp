#include "TfrmMainForm.h"

#include "AppContext.h"

TfrmMainForm::TfrmMainForm(AppContext& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(QStringLiteral("Asystent systemu KOLM"));
    // The user's date format is in force before any schedule or date is read.
    m_app.dates().ApplyDateFormat(m_app.settings().ReadSavedSetting(QStringLiteral("GLOBAL"), QStringLiteral("FormDaty")));
}
