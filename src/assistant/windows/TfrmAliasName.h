#pragma once

#include "logic/AliasNameModel.h"

#include <QDialog>

#include <functional>

class AppContext;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;

namespace kolmasyst {

class TBitBtnWithColor;
class TfrmChangeDB;

// "Wykaz baz danych": the engine's aliases and the databases the system uses, with their
// descriptions and folders, and the choice of the active one. The logic is AliasNameModel's;
// the dialog wires its widgets to it.
class TfrmAliasName : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 2610;
    static constexpr int ClientWidth = 501;
    static constexpr int ClientHeight = 547;
    static const QString ClosingNotice; // "trwa proces zamykania połączenia z bazą danych :"
    static const QString TestingNotice; // shown while the connection test waits
    static const QString SaveQuestion;  // asked when the dialog is closed with changes

    // aktywnyAlias: the main form's active alias, which "Zamknij" may change.
    TfrmAliasName(AppContext& app, QString& aktywnyAlias, TfrmChangeDB& notice, QWidget* parent = nullptr);

    AliasNameModel& model() { return m_model; }

    // The file and folder choosers (tests put their own answers in).
    std::function<QString()> chooseDatabaseFile;
    std::function<QString(const QString& title)> chooseFolder;
    // How long the connection test waits for a server that does not answer.
    int testTimeoutSeconds = AliasNameModel::TestTimeoutSeconds;

    QFrame* pGora;
    QFrame* pDol;
    QLabel* lAliasName;
    QListWidget* lbAliasName;
    TBitBtnWithColor* bAliasDod;
    TBitBtnWithColor* bAliasUsun;
    QLabel* lWybAliasName;
    QListWidget* lbWybAliasName;
    QLabel* lOpisBazy;
    QLineEdit* eOpisBazy;
    TBitBtnWithColor* bWybor;
    QLabel* lWybAlias;
    QLineEdit* eWybAlias;
    QLabel* lAlias;
    QLineEdit* eAlias;
    TBitBtnWithColor* bTest;
    QLabel* lBase;
    QLineEdit* eBase;
    TBitBtnWithColor* btWybierz;
    QLabel* lPath;
    QLineEdit* ePath;
    QLabel* lLokAsys;
    QLineEdit* eLokAsys;
    TBitBtnWithColor* btRap;
    QLabel* lLokBackup;
    QLineEdit* eLokBackup;
    TBitBtnWithColor* btBackup;
    TBitBtnWithColor* bDodaj;
    TBitBtnWithColor* bModyf;
    TBitBtnWithColor* bUsun;
    TBitBtnWithColor* bEnd;

    const QString& WybranyAlias() const { return m_wybranyAlias; }
    const QString& WpisanyAlias() const { return m_wpisanyAlias; }

public Q_SLOTS:
    void FormShow();
    void lbAliasNameClick();
    void lbWybAliasNameClick();
    void eAliasExit();
    void eOpisBazyExit();
    void ePathExit();
    void eLokAsysChange();
    void eLokBackupChange();
    void btWybierzClick();
    void btRapClick();
    void btBackupClick();
    void bAliasDodClick();
    void bAliasUsunClick();
    void bWyborClick();
    void bDodajClick();
    void bModyfClick();
    void bUsunClick();
    void bTestClick();
    void bEndClick();

    // The close control: changes are saved or dropped after a question, never lost unasked.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillEngineList();
    void fillUsedList(const QString& select = QString());
    void clearFields();
    void setFoldersVisible(bool visible);
    // The used database whose fields are shown: the edits go to it, whatever has the focus.
    TAliasBazy* shownRecord();
    // False when the alias name was retyped after an alias was picked.
    bool pickedAliasUnchanged() const;
    void showError(const QString& text);

    AppContext& m_app;
    QString& m_aktywnyAlias;
    TfrmChangeDB& m_notice;
    AliasNameModel m_model;
    QString m_wybranyAlias;
    QString m_wpisanyAlias;
    QString m_shownAlias;
};

} // namespace kolmasyst
