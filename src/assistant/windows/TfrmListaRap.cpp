#include "windows/TfrmListaRap.h"

#include "AppContext.h"
#include "Errors.h"
#include "MessageService.h"
#include "platform/SafeFile.h"
#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/FormPlacement.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace kolmasyst {

const QString TfrmListaRap::NoViewerMessage = QStringLiteral("Brak programu do otwierania pliku: ");
const QString TfrmListaRap::DeleteQuestion = QStringLiteral("Czy na pewno usunąć plik: ");
const QString TfrmListaRap::NotDeletedMessage = QStringLiteral("Nie można usunąć pliku: ");

namespace {
QToolButton* makeTool(QToolBar* bar, const char* name, QStyle::StandardPixmap icon, const QString& hint) {
    auto* b = new QToolButton(bar);
    b->setObjectName(QLatin1String(name));
    b->setFixedSize(28, 27);
    b->setIconSize(QSize(21, 21));
    b->setIcon(bar->style()->standardIcon(icon));
    b->setToolTip(hint);
    b->setAutoFillBackground(true);
    QPalette p = b->palette();
    p.setColor(QPalette::Button, TBitBtnWithColor::DefaultFace);
    b->setPalette(p);
    bar->addWidget(b);
    return b;
}
} // namespace

TfrmListaRap::TfrmListaRap(AppContext& app, FormPlacement& placement, QWidget* parent)
    : QDialog(parent), m_app(app), m_placement(placement), m_model(new QFileSystemModel(this)) {
    setObjectName(QStringLiteral("frmListaRap"));
    setWindowTitle(QStringLiteral("Lista wygenerowanych raportów"));
    setProperty("helpContext", HelpContext);
    setSizeGripEnabled(true);
    setMinimumSize(200, 200);
    resize(463, 467);
    AssistantLook::applyFormLook(this);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    btnBrowse =
        makeTool(ToolBar1, "btnBrowse", QStyle::SP_DirOpenIcon, QStringLiteral("Wybierz dowolny katalog"));
    btnBack = makeTool(ToolBar1, "btnBack", QStyle::SP_FileDialogToParent,
                       QStringLiteral("Wybierz katalog nadrzędny"));
    ToolBar1->addSeparator();
    btnLargeIcons = makeTool(ToolBar1, "btnLargeIcons", QStyle::SP_DesktopIcon, QStringLiteral("Duże ikony"));
    btnSmallIcons = makeTool(ToolBar1, "btnSmallIcons", QStyle::SP_FileIcon, QStringLiteral("Małe ikony"));
    btnList = makeTool(ToolBar1, "btnList", QStyle::SP_FileDialogListView, QStringLiteral("Lista"));
    btnReport =
        makeTool(ToolBar1, "btnReport", QStyle::SP_FileDialogDetailedView, QStringLiteral("Szczegóły"));
    ToolBar1->addSeparator();
    ePath = new QLineEdit(ToolBar1);
    ePath->setObjectName(QStringLiteral("ePath"));
    ePath->setReadOnly(true);
    ePath->setFocusPolicy(Qt::ClickFocus); // Tab goes to the list
    ToolBar1->addWidget(ePath);

    m_model->setReadOnly(false); // names are changed in place
    m_model->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::AllDirs);
    KolmShellListView = new QListView(this);
    KolmShellListView->setObjectName(QStringLiteral("KolmShellListView"));
    KolmShellDetails = new QTreeView(this);
    KolmShellDetails->setObjectName(QStringLiteral("KolmShellDetails"));
    KolmShellDetails->setRootIsDecorated(false);
    KolmShellDetails->setItemsExpandable(false);
    KolmShellDetails->setSortingEnabled(true);
    // The names are read in the background: the name column follows them once a folder is read.
    connect(m_model, &QFileSystemModel::directoryLoaded, KolmShellDetails,
            [this] { KolmShellDetails->resizeColumnToContents(0); });
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(KolmShellListView),
                                 static_cast<QAbstractItemView*>(KolmShellDetails)}) {
        v->setModel(m_model);
        v->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        QPalette p = v->palette();
        p.setColor(QPalette::Base, AssistantLook::ListBackground);
        // The selection stays visible when the view loses focus.
        p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
        v->setPalette(p);
        connect(v, &QAbstractItemView::clicked, this, &TfrmListaRap::KolmShellListViewClick);
        connect(v, &QAbstractItemView::doubleClicked, this, &TfrmListaRap::KolmShellListViewDblClick);
        // Enter opens the selected item instead of pressing "Zamknij".
        v->installEventFilter(this);
        v->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(v, &QWidget::customContextMenuRequested, this, [this, v](const QPoint& at) {
            const std::unique_ptr<QMenu> menu = contextMenu(v->indexAt(at));
            menu->exec(v->viewport()->mapToGlobal(at));
        });
    }
    m_model->sort(0);

    bEnd = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bEnd->setObjectName(QStringLiteral("bEnd"));
    bEnd->setDefault(true);
    connect(bEnd, &QPushButton::clicked, this, &QDialog::accept);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    connect(btnBrowse, &QToolButton::clicked, this, &TfrmListaRap::btnBrowseClick);
    connect(btnBack, &QToolButton::clicked, this, &TfrmListaRap::btnBackClick);
    connect(btnLargeIcons, &QToolButton::clicked, this, [this] { btnIconsClick(0); });
    connect(btnSmallIcons, &QToolButton::clicked, this, [this] { btnIconsClick(1); });
    connect(btnList, &QToolButton::clicked, this, [this] { btnIconsClick(2); });
    connect(btnReport, &QToolButton::clicked, this, [this] { btnIconsClick(3); });
    openFile = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    chooseFolder = [this] {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Wybierz katalog z raportami"));
    };
    btnIconsClick(2);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_placement.RestoreFormPlacement(this);
}

TfrmListaRap::~TfrmListaRap() {
    m_placement.SaveFormPlacement(this);
}

void TfrmListaRap::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width(), h = height();
    ToolBar1->setGeometry(0, 0, w, 33);
    StatusBar1->setGeometry(0, h - 20, w, 20);
    bEnd->setGeometry(w - 98, h - 52, 90, 25);
    KolmShellListView->setGeometry(4, 36, w - 8, h - 94);
    KolmShellDetails->setGeometry(4, 36, w - 8, h - 94);
}

void TfrmListaRap::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

QString TfrmListaRap::initialRoot() {
    // The reports are where kolmrap puts them: the list needs the active alias only, not its
    // database, so it opens also while the database cannot be reached.
    const QString reports =
        m_app.installation().reportsFolder(m_app.settings(), m_app.settings().ReadAliasName());
    try {
        SafeFile::makeFolders(reports);
        return reports;
    } catch (const EFileWriteError& e) {
        m_app.messages().showMessage(e.text(), QString());
    }
    QString at = reports;
    while (!QFileInfo(at).isDir() && at != QFileInfo(at).path())
        at = QFileInfo(at).path();
    return at;
}

QString TfrmListaRap::parentOf(const QString& root) {
    const QString clean = QDir::cleanPath(root);
    const int slash = clean.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return root;
    // At the top of the file system the list stays there.
    return slash == 0 ? QStringLiteral("/") : clean.left(slash);
}

void TfrmListaRap::setRoot(const QString& folder) {
    m_root = folder;
    // The end of a long path is the part that tells the folders apart; the whole is the tip.
    ePath->setText(QDir::toNativeSeparators(folder));
    ePath->setToolTip(ePath->text());
    ePath->end(false);
    const QModelIndex index = m_model->setRootPath(folder);
    KolmShellListView->setRootIndex(index);
    KolmShellDetails->setRootIndex(index);
    StatusBar1->clearMessage();
}

void TfrmListaRap::FormShow() {
    setRoot(initialRoot());
    // The keys go to the list: Home, the arrows and Enter pick and open.
    (m_style == 3 ? static_cast<QWidget*>(KolmShellDetails) : KolmShellListView)->setFocus();
}

void TfrmListaRap::btnBrowseClick() {
    const QString folder = chooseFolder ? chooseFolder() : QString();
    if (!folder.isEmpty())
        setRoot(folder);
}

void TfrmListaRap::btnBackClick() {
    setRoot(parentOf(m_root));
}

void TfrmListaRap::btnIconsClick(int tag) {
    m_style = tag;
    KolmShellDetails->setVisible(tag == 3);
    KolmShellListView->setVisible(tag != 3);
    switch (tag) {
    case 0:
        KolmShellListView->setViewMode(QListView::IconMode);
        KolmShellListView->setIconSize(QSize(32, 32));
        break;
    case 1:
        KolmShellListView->setViewMode(QListView::ListMode);
        KolmShellListView->setFlow(QListView::LeftToRight);
        KolmShellListView->setWrapping(true);
        KolmShellListView->setIconSize(QSize(16, 16));
        break;
    case 2:
        KolmShellListView->setViewMode(QListView::ListMode);
        KolmShellListView->setFlow(QListView::TopToBottom);
        KolmShellListView->setWrapping(true);
        KolmShellListView->setIconSize(QSize(16, 16));
        break;
    default:
        break;
    }
}

bool TfrmListaRap::secondHalfOfDoubleClick() const {
    return m_enteredByClickAt >= 0 &&
           QDateTime::currentMSecsSinceEpoch() - m_enteredByClickAt <= QApplication::doubleClickInterval();
}

void TfrmListaRap::KolmShellListViewClick(const QModelIndex& index) {
    const QString path = m_model->filePath(index);
    // A report stays selected; a folder opens at once.
    if (path.contains(QStringLiteral(".pdf")) || !m_model->isDir(index))
        return;
    // The second click of a double click lands in the folder the first one entered.
    if (secondHalfOfDoubleClick())
        return;
    setRoot(path);
    m_enteredByClickAt = QDateTime::currentMSecsSinceEpoch();
}

void TfrmListaRap::KolmShellListViewDblClick(const QModelIndex& index) {
    // The first click of this double click entered a folder already.
    if (secondHalfOfDoubleClick())
        return;
    openItem(index);
}

void TfrmListaRap::openItem(const QModelIndex& index) {
    if (!index.isValid())
        return;
    if (m_model->isDir(index)) {
        setRoot(m_model->filePath(index));
        return;
    }
    const QString path = m_model->filePath(index);
    if (!openFile || !openFile(QUrl::fromLocalFile(path)))
        m_app.messages().showMessage(NoViewerMessage + QDir::toNativeSeparators(path), QString());
}

void TfrmListaRap::showInFileManager(const QModelIndex& index) {
    // The folder that holds the item, in the desktop's file manager.
    const QString folder = index.isValid() ? QFileInfo(m_model->filePath(index)).absolutePath() : m_root;
    if (!openFile || !openFile(QUrl::fromLocalFile(folder)))
        m_app.messages().showMessage(NoViewerMessage + QDir::toNativeSeparators(folder), QString());
}

void TfrmListaRap::deleteItem(const QModelIndex& index) {
    if (!index.isValid() || m_model->isDir(index))
        return;
    const QString path = m_model->filePath(index);
    if (!m_app.messages().askYesNo(DeleteQuestion + QDir::toNativeSeparators(path) + QStringLiteral("?"),
                                   QStringLiteral("Usunąć?")))
        return;
    QFile file(path);
    if (!file.remove())
        m_app.messages().showMessage(NotDeletedMessage + QDir::toNativeSeparators(path) +
                                         QStringLiteral(" (") + file.errorString() + QStringLiteral(")"),
                                     QString());
}

std::unique_ptr<QMenu> TfrmListaRap::contextMenu(const QModelIndex& index) {
    auto menu = std::make_unique<QMenu>(this);
    const QPersistentModelIndex item(index);
    QAction* open = menu->addAction(QStringLiteral("Otwórz"), this, [this, item] { openItem(item); });
    open->setEnabled(index.isValid());
    menu->addAction(QStringLiteral("Pokaż w menedżerze plików"), this,
                    [this, item] { showInFileManager(item); });
    menu->addSeparator();
    QAction* remove = menu->addAction(QStringLiteral("Usuń"), this, [this, item] { deleteItem(item); });
    remove->setEnabled(index.isValid() && !m_model->isDir(index));
    return menu;
}

bool TfrmListaRap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* view = qobject_cast<QAbstractItemView*>(watched);
        // A name being changed has the key in its editor, not here.
        if (view && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            openItem(view->currentIndex());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kolmasyst
