#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>
#include <memory>

class AppContext;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QMenu;
class QModelIndex;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeView;

namespace kolmasyst {

class FormPlacement;
class TBitBtnWithColor;

// "Lista wygenerowanych raportów": a small browser over the report folder of the active
// database, whose path it shows. A single click opens a folder, a double click or Enter opens a
// report with the desktop's PDF viewer (Enter also opens a folder); the context menu opens,
// shows in the file manager or deletes; the parent and browse buttons step anywhere else; four
// view styles.
class TfrmListaRap : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 3100;
    static const QString NoViewerMessage;   // "Brak programu do otwierania pliku: "
    static const QString DeleteQuestion;    // "Czy na pewno usunąć plik: "
    static const QString NotDeletedMessage; // "Nie można usunąć pliku: "

    TfrmListaRap(AppContext& app, FormPlacement& placement, QWidget* parent = nullptr);
    ~TfrmListaRap() override;

    // The folder the list opens in: where kolmrap writes the active database's reports
    // (made when missing). When it cannot be made the user is told why, and the list opens in
    // the nearest folder above it that exists.
    QString initialRoot();
    // The folder above root; root itself at the top.
    static QString parentOf(const QString& root);

    const QString& root() const { return m_root; }
    void setRoot(const QString& folder);
    int viewStyle() const { return m_style; }

    // How a report is opened (tests capture the call).
    std::function<bool(const QUrl&)> openFile;
    std::function<QString()> chooseFolder;

    QToolBar* ToolBar1;
    QToolButton* btnBrowse;
    QToolButton* btnBack;
    QToolButton* btnLargeIcons;
    QToolButton* btnSmallIcons;
    QToolButton* btnList;
    QToolButton* btnReport;
    QLineEdit* ePath; // the folder shown
    QListView* KolmShellListView;
    QTreeView* KolmShellDetails;
    TBitBtnWithColor* bEnd;
    QStatusBar* StatusBar1;

public Q_SLOTS:
    void FormShow();
    void btnBrowseClick();
    void btnBackClick();
    void btnIconsClick(int tag);
    void KolmShellListViewClick(const QModelIndex& index);
    void KolmShellListViewDblClick(const QModelIndex& index);
    // A folder is entered, a report opened.
    void openItem(const QModelIndex& index);
    void showInFileManager(const QModelIndex& index);
    void deleteItem(const QModelIndex& index);

public:
    // The context menu of an item (or of the empty list when index is not valid).
    std::unique_ptr<QMenu> contextMenu(const QModelIndex& index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    AppContext& m_app;
    FormPlacement& m_placement;
    QFileSystemModel* m_model;
    QString m_root;
    int m_style = 2;
    // When a click last entered a folder: the second half of a double click on it then opens
    // nothing more in the folder it entered.
    qint64 m_enteredByClickAt = -1;
    bool secondHalfOfDoubleClick() const;
};

} // namespace kolmasyst
