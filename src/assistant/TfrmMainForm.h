#pragma once

#include <QMainWindow>

class AppContext;

// The assistant's main form: created hidden; the program lives in the notification area.
class TfrmMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMainForm(AppContext& app, QWidget* parent = nullptr);

private:
    AppContext& m_app;
};
