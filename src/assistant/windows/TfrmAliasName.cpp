#include "windows/TfrmAliasName.h"

#include "AliasRegistry.h"
#include "AppContext.h"
#include "Errors.h"
#include "GlobalUtils.h"
#include "MessageService.h"
#include "widgets/AssistantLook.h"
#include "widgets/ListBoxScrollWidth.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/TfrmChangeDB.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <atomic>
#include <thread>

namespace kolmasyst {

const QString TfrmAliasName::TestingNotice =
    QStringLiteral("trwa test połączenia z bazą danych (najwyżej %1 s) :");
const QString TfrmAliasName::SaveQuestion = QStringLiteral("Zapisać zmiany w wykazie baz danych?");
const QString TfrmAliasName::ClosingNotice =
    QStringLiteral("trwa proces zamykania połączenia z bazą danych :");

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = 160) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(x, y, width, 18);
    return l;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, int x, int y, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(x, y, width, 21);
    AssistantLook::applyEditLook(e);
    return e;
}

TBitBtnWithColor* makeButton(QWidget* parent, const char* name, const QString& caption,
                             const QRect& geometry) {
    auto* b = new TBitBtnWithColor(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    return b;
}

QListWidget* makeList(QWidget* parent, const char* name, const QRect& geometry) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setSortingEnabled(false); // the model keeps the order
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QPalette p = l->palette();
    p.setColor(QPalette::Base, AssistantLook::ListBackground);
    l->setPalette(p);
    l->setAutoFillBackground(true);
    return l;
}

QString currentText(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

} // namespace

TfrmAliasName::TfrmAliasName(AppContext& app, QString& aktywnyAlias, TfrmChangeDB& notice, QWidget* parent)
    : QDialog(parent), m_app(app), m_aktywnyAlias(aktywnyAlias), m_notice(notice),
      m_model(app.settings(), app.aliasRegistryPath()) {
    setObjectName(QStringLiteral("frmAliasName"));
    setWindowTitle(QStringLiteral("Wykaz baz danych"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setToolTip(QStringLiteral("Wybierz plik bazy danych"));
    setProperty("helpContext", HelpContext);
    AssistantLook::applyFormLook(this);

    pGora = new QFrame(this);
    pGora->setObjectName(QStringLiteral("pGora"));
    pGora->setGeometry(4, 4, ClientWidth - 8, 268);
    pGora->setFrameShape(QFrame::StyledPanel);
    lAliasName =
        makeLabel(pGora, "lAliasName", QStringLiteral("Lista istniejących w systemie baz"), 10, 6, 190);
    lbAliasName = makeList(pGora, "lbAliasName", QRect(10, 26, 180, 160));
    bAliasDod = makeButton(pGora, "bAliasDod", QStringLiteral("&Dodaj"), QRect(203, 66, 80, 25));
    bAliasUsun = makeButton(pGora, "bAliasUsun", QStringLiteral("&Usuń"), QRect(203, 104, 80, 25));
    lWybAliasName =
        makeLabel(pGora, "lWybAliasName", QStringLiteral("Lista wykorzystywanych baz"), 296, 6, 190);
    lbWybAliasName = makeList(pGora, "lbWybAliasName", QRect(296, 26, 185, 160));
    lOpisBazy = makeLabel(pGora, "lOpisBazy", QStringLiteral("Opis bazy:"), 10, 200, 90);
    eOpisBazy = makeEdit(pGora, "eOpisBazy", 104, 198, 270);
    eOpisBazy->setMaxLength(AliasNameModel::MaxDescriptionLength);
    bWybor = makeButton(pGora, "bWybor", QStringLiteral("Wybierz"), QRect(386, 196, 95, 25));
    lWybAlias = makeLabel(pGora, "lWybAlias", QStringLiteral("Wybrana baza:"), 10, 232, 90);
    eWybAlias = makeEdit(pGora, "eWybAlias", 104, 230, 270);
    eWybAlias->setReadOnly(true);

    pDol = new QFrame(this);
    pDol->setObjectName(QStringLiteral("pDol"));
    pDol->setGeometry(4, 278, ClientWidth - 8, ClientHeight - 282);
    pDol->setFrameShape(QFrame::StyledPanel);
    lAlias = makeLabel(pDol, "lAlias", QStringLiteral("Nazwa alias'u :"), 10, 14);
    eAlias = makeEdit(pDol, "eAlias", 170, 12, 200);
    bTest = makeButton(pDol, "bTest", QStringLiteral("Testuj"), QRect(386, 10, 95, 25));
    bTest->setToolTip(QStringLiteral("Testowanie połączenia z zaznaczoną bazą danych"));
    lBase = makeLabel(pDol, "lBase", QStringLiteral("Nazwa pliku bazy danych: "), 10, 48);
    eBase = makeEdit(pDol, "eBase", 170, 46, 280);
    btWybierz = makeButton(pDol, "btWybierz", QStringLiteral("..."), QRect(456, 45, 25, 23));
    lPath = makeLabel(pDol, "lPath", QStringLiteral("Ścieżka dostępu:"), 10, 82);
    ePath = makeEdit(pDol, "ePath", 170, 80, 280);
    lLokAsys = makeLabel(pDol, "lLokAsys", QStringLiteral("Lokalizacja raportów:"), 10, 116);
    eLokAsys = makeEdit(pDol, "eLokAsys", 170, 114, 280);
    btRap = makeButton(pDol, "btRap", QStringLiteral("..."), QRect(456, 113, 25, 23));
    lLokBackup = makeLabel(pDol, "lLokBackup", QStringLiteral("Lokalizacja backup'ów:"), 10, 150);
    eLokBackup = makeEdit(pDol, "eLokBackup", 170, 148, 280);
    btBackup = makeButton(pDol, "btBackup", QStringLiteral("..."), QRect(456, 147, 25, 23));
    bDodaj = makeButton(pDol, "bDodaj", QStringLiteral("&Dodaj"), QRect(60, 190, 100, 25));
    bModyf = makeButton(pDol, "bModyf", QStringLiteral("&Modyfikuj"), QRect(196, 190, 100, 25));
    bUsun = makeButton(pDol, "bUsun", QStringLiteral("&Usuń"), QRect(332, 190, 100, 25));
    bEnd = makeButton(pDol, "bEnd", QStringLiteral("Zamknij"), QRect(196, 226, 100, 25));
    bEnd->setDefault(true);

    chooseDatabaseFile = [this] {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Wybierz plik bazy danych"), m_app.installation().databaseFolder(),
            QStringLiteral("Bazy danych Firebird (*.fdb *.gdb);;Wszystkie pliki (*)"));
    };
    chooseFolder = [this](const QString& title) { return QFileDialog::getExistingDirectory(this, title); };

    // A pick with the keys fills the fields as a click does.
    connect(lbAliasName, &QListWidget::itemClicked, this, &TfrmAliasName::lbAliasNameClick);
    connect(lbWybAliasName, &QListWidget::itemClicked, this, &TfrmAliasName::lbWybAliasNameClick);
    connect(lbAliasName, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!item)
            return;
        item->setSelected(true);
        lbAliasNameClick();
    });
    connect(lbWybAliasName, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!item)
            return;
        item->setSelected(true);
        lbWybAliasNameClick();
    });
    connect(eLokAsys, &QLineEdit::textChanged, this, &TfrmAliasName::eLokAsysChange);
    connect(eLokBackup, &QLineEdit::textChanged, this, &TfrmAliasName::eLokBackupChange);
    for (QLineEdit* e : {eAlias, eOpisBazy, ePath})
        e->installEventFilter(this);
    connect(btWybierz, &QPushButton::clicked, this, &TfrmAliasName::btWybierzClick);
    connect(btRap, &QPushButton::clicked, this, &TfrmAliasName::btRapClick);
    connect(btBackup, &QPushButton::clicked, this, &TfrmAliasName::btBackupClick);
    connect(bAliasDod, &QPushButton::clicked, this, &TfrmAliasName::bAliasDodClick);
    connect(bAliasUsun, &QPushButton::clicked, this, &TfrmAliasName::bAliasUsunClick);
    connect(bWybor, &QPushButton::clicked, this, &TfrmAliasName::bWyborClick);
    connect(bDodaj, &QPushButton::clicked, this, &TfrmAliasName::bDodajClick);
    connect(bModyf, &QPushButton::clicked, this, &TfrmAliasName::bModyfClick);
    connect(bUsun, &QPushButton::clicked, this, &TfrmAliasName::bUsunClick);
    connect(bTest, &QPushButton::clicked, this, &TfrmAliasName::bTestClick);
    connect(bEnd, &QPushButton::clicked, this, &TfrmAliasName::bEndClick);
}

void TfrmAliasName::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TfrmAliasName::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        if (watched == eAlias)
            eAliasExit();
        else if (watched == eOpisBazy)
            eOpisBazyExit();
        else if (watched == ePath)
            ePathExit();
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAliasName::showError(const QString& text) {
    m_app.messages().showMessage(text, QString());
}

void TfrmAliasName::FormShow() {
    try {
        m_model.load(m_aktywnyAlias);
    } catch (const EKolmError& e) {
        showError(e.text());
    }
    fillEngineList();
    fillUsedList();
    clearFields();
    eOpisBazy->clear();
    eWybAlias->setText(m_aktywnyAlias);
    m_wybranyAlias.clear();
    m_wpisanyAlias.clear();
    m_notice.showNotice(ClosingNotice);
    m_app.karty().CloseDatabase();
    m_notice.closeNotice();
}

void TfrmAliasName::fillEngineList() {
    // Refilling is no pick of the user's.
    const QSignalBlocker block(lbAliasName);
    lbAliasName->clear();
    lbAliasName->addItems(m_model.engineAliases());
    lbAliasName->setProperty("scrollWidth", ListBoxScrollWidth(lbAliasName));
}

void TfrmAliasName::fillUsedList(const QString& select) {
    const QSignalBlocker block(lbWybAliasName);
    lbWybAliasName->clear();
    for (const TAliasBazy& r : m_model.used()) {
        auto* item = new QListWidgetItem(r.Alias, lbWybAliasName);
        if (r.Alias == select) {
            lbWybAliasName->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    lbWybAliasName->setProperty("scrollWidth", ListBoxScrollWidth(lbWybAliasName));
}

void TfrmAliasName::clearFields() {
    m_shownAlias.clear();
    for (QLineEdit* e : {eAlias, eBase, ePath, eLokAsys, eLokBackup}) {
        const QSignalBlocker block(e);
        e->clear();
    }
}

void TfrmAliasName::setFoldersVisible(bool visible) {
    for (QWidget* w :
         {static_cast<QWidget*>(ePath), static_cast<QWidget*>(eLokAsys), static_cast<QWidget*>(eLokBackup),
          static_cast<QWidget*>(btRap), static_cast<QWidget*>(btBackup)})
        w->setVisible(visible);
}

TAliasBazy* TfrmAliasName::shownRecord() {
    return m_shownAlias.isEmpty() ? nullptr : m_model.record(m_shownAlias);
}

bool TfrmAliasName::pickedAliasUnchanged() const {
    return m_wpisanyAlias.isEmpty() || m_wpisanyAlias == m_wybranyAlias;
}

void TfrmAliasName::lbAliasNameClick() {
    const QString alias = currentText(lbAliasName);
    if (alias.isEmpty())
        return;
    eOpisBazyExit();
    ePathExit();
    // The description above still belongs to the used database shown; the folders are hidden.
    eAlias->setText(alias);
    eBase->setText(m_model.serverName(alias));
    setFoldersVisible(false);
    m_wybranyAlias = alias;
    m_wpisanyAlias.clear();
}

void TfrmAliasName::lbWybAliasNameClick() {
    // What the fields of the database shown before hold is its, even if their focus never left.
    eOpisBazyExit();
    ePathExit();
    const QString picked = currentText(lbWybAliasName);
    TAliasBazy* r = picked.isEmpty() ? nullptr : m_model.record(picked);
    if (!r)
        return;
    // Copies, not references: filling the fields stores them back into the record.
    const TAliasBazy values = *r;
    m_shownAlias = values.Alias;
    eAlias->setText(values.Alias);
    eBase->setText(m_model.serverName(values.Alias));
    eOpisBazy->setText(values.OpisBazy);
    ePath->setText(values.Path);
    eLokAsys->setText(values.LokAsys);
    eLokBackup->setText(values.LokBackup);
    // An empty folder means the default one: shown greyed where the folder would be.
    const Installation& installation = m_app.installation();
    eLokAsys->setPlaceholderText(QDir::toNativeSeparators(installation.defaultReportRoot()));
    QString file;
    try {
        file = AliasDatabaseFile(AliasRegistry(m_app.aliasRegistryPath()), values.Alias);
    } catch (const EKolmError&) {
    }
    eLokBackup->setPlaceholderText(QDir::toNativeSeparators(installation.defaultBackupRoot(file)));
    setFoldersVisible(true);
    m_wybranyAlias = values.Alias;
    m_wpisanyAlias.clear();
}

void TfrmAliasName::eAliasExit() {
    m_wpisanyAlias = eAlias->text();
}

void TfrmAliasName::eOpisBazyExit() {
    if (TAliasBazy* r = shownRecord())
        r->OpisBazy = eOpisBazy->text();
}

void TfrmAliasName::ePathExit() {
    if (TAliasBazy* r = shownRecord())
        r->Path = ePath->text();
}

void TfrmAliasName::eLokAsysChange() {
    if (TAliasBazy* r = shownRecord())
        r->LokAsys = eLokAsys->text();
}

void TfrmAliasName::eLokBackupChange() {
    if (TAliasBazy* r = shownRecord())
        r->LokBackup = eLokBackup->text();
}

void TfrmAliasName::btWybierzClick() {
    const QString file = chooseDatabaseFile ? chooseDatabaseFile() : QString();
    if (file.isEmpty())
        return;
    // An installed suite opens its databases through its server.
    eBase->setText(QDir::toNativeSeparators(m_app.installation().databaseFor(file)));
    ePath->setText(ExtractFolderPart(QDir::toNativeSeparators(file)));
    ePathExit();
}

void TfrmAliasName::btRapClick() {
    const QString folder =
        chooseFolder ? chooseFolder(QStringLiteral("Wybierz katalog dla Raportów")) : QString();
    if (!folder.isEmpty())
        eLokAsys->setText(QDir::toNativeSeparators(folder));
}

void TfrmAliasName::btBackupClick() {
    const QString folder =
        chooseFolder ? chooseFolder(QStringLiteral("Wybierz katalog dla BackUpu")) : QString();
    if (!folder.isEmpty())
        eLokBackup->setText(QDir::toNativeSeparators(folder));
}

void TfrmAliasName::bAliasDodClick() {
    const QString alias = currentText(lbAliasName);
    if (!alias.isEmpty() && m_model.addUsed(alias))
        fillUsedList(currentText(lbWybAliasName));
}

void TfrmAliasName::bAliasUsunClick() {
    const QString alias = currentText(lbWybAliasName);
    if (alias.isEmpty())
        return;
    if (alias == eWybAlias->text()) {
        showError(AliasNameModel::CannotRemoveChosenMessage);
        return;
    }
    m_model.removeUsed(alias);
    fillUsedList();
    if (lbWybAliasName->count() > 0) {
        lbWybAliasName->setCurrentRow(0);
        lbWybAliasName->item(0)->setSelected(true);
        lbWybAliasNameClick();
    }
}

void TfrmAliasName::bWyborClick() {
    const QString alias = currentText(lbWybAliasName);
    if (alias.isEmpty())
        return;
    m_model.choose(alias);
    eWybAlias->setText(alias);
}

void TfrmAliasName::bDodajClick() {
    try {
        if (m_model.addEngineAlias(eAlias->text(), eBase->text()))
            fillEngineList();
    } catch (const EKolmError& e) {
        showError(e.text());
    }
}

void TfrmAliasName::bModyfClick() {
    if (!pickedAliasUnchanged() || eAlias->text().isEmpty())
        return;
    if (!m_app.messages().askYesNo(QStringLiteral("Czy na pewno zmodyfikować następujący alias :") +
                                       eAlias->text() + QLatin1Char('?'),
                                   QStringLiteral("Zmienić?")))
        return;
    try {
        m_model.modifyEngineAlias(eAlias->text(), eBase->text());
        fillEngineList();
    } catch (const EKolmError& e) {
        showError(e.text());
    }
}

void TfrmAliasName::bUsunClick() {
    if (!pickedAliasUnchanged() || eAlias->text().isEmpty())
        return;
    if (eAlias->text() == eWybAlias->text()) {
        showError(AliasNameModel::CannotRemoveChosenMessage);
        return;
    }
    if (!m_app.messages().askYesNo(QStringLiteral("Czy na pewno usunąć następujący alias :") +
                                       eAlias->text() + QLatin1Char('?'),
                                   QStringLiteral("Usunąć?")))
        return;
    try {
        m_model.deleteEngineAlias(eAlias->text());
        fillEngineList();
        fillUsedList();
        clearFields();
    } catch (const EKolmError& e) {
        showError(e.text());
    }
}

void TfrmAliasName::bTestClick() {
    m_notice.closeNotice();
    const QString alias = eAlias->text();
    // A server that does not answer keeps the test waiting: the user sees that it waits, and how long
    // at most.
    m_notice.showNotice(TestingNotice.arg(testTimeoutSeconds), alias);
    bTest->setEnabled(false);
    const QString registry = m_app.aliasRegistryPath();
    // The engine may wait for a server that does not answer: the window keeps painting.
    std::atomic<bool> done{false};
    bool ok = false;
    QString reason;
    std::thread worker([&] {
        ok = AliasNameModel::testConnection(registry, alias, &reason, testTimeoutSeconds);
        done = true;
    });
    QApplication::setOverrideCursor(Qt::WaitCursor);
    while (!done)
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    worker.join();
    QApplication::restoreOverrideCursor();
    bTest->setEnabled(true);
    m_notice.closeNotice();
    if (!ok) {
        showError(AliasNameModel::NoConnectionMessage +
                  (reason.isEmpty() ? QString() : QStringLiteral("\n") + reason.trimmed()));
        return;
    }
    showError(AliasNameModel::ConnectedMessage);
    m_notice.showNotice(ClosingNotice, alias);
    m_notice.closeNotice();
}

void TfrmAliasName::keyPressEvent(QKeyEvent* event) {
    // Esc is the cancel button, and "Zamknij" is that button: it saves and closes.
    if (event->key() == Qt::Key_Escape) {
        bEnd->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmAliasName::reject() {
    eOpisBazyExit();
    ePathExit();
    if (m_model.changed() && m_app.messages().askYesNo(SaveQuestion, windowTitle())) {
        bEndClick();
        return;
    }
    QDialog::reject();
}

void TfrmAliasName::bEndClick() {
    m_notice.closeNotice();
    // What the fields hold counts even when the focus never left them.
    eOpisBazyExit();
    ePathExit();
    AliasNameModel::Active previous;
    try {
        previous = m_model.save();
    } catch (const EKolmError& e) {
        // Nothing was written; the dialog stays open.
        showError(e.text());
        return;
    }
    if (!m_model.chosen().isEmpty()) {
        SharedConnection& karty = m_app.karty();
        karty.CloseDatabase();
        QString reason;
        if (karty.OpenDatabase(&reason)) {
            m_aktywnyAlias = karty.GetDatabase().connectionName();
        } else {
            // The previous database stays active, in the file and for the next connection.
            showError(SharedConnection::AccessMessage + reason);
            try {
                m_model.restoreActive(previous);
            } catch (const EKolmError& e) {
                showError(e.text());
            }
            karty.CloseDatabase();
        }
    }
    accept();
}

} // namespace kolmasyst
