#include "windows/TfrmRaport.h"

#include "AppContext.h"
#include "Errors.h"
#include "MessageService.h"
#include "logic/ReportRunner.h"
#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace kolmasyst {

namespace {
QLabel* makeLine(QWidget* parent, const char* name, const QString& text, int top) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(8, top, 344, 20);
    l->setAlignment(Qt::AlignCenter);
    return l;
}
} // namespace

TfrmRaport::TfrmRaport(AppContext& app, std::function<QString()> launch, QWidget* parent)
    : QDialog(parent), m_app(app),
      m_runner(new ReportRunner(app, std::move(launch), &ReportRunner::IsReportRunning, this)) {
    setObjectName(QStringLiteral("frmRaport"));
    setWindowTitle(QStringLiteral("Raport końcowy"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(360, 112);
    setProperty("helpContext", HelpContext);
    AssistantLook::applyFormLook(this);
    pb = new QProgressBar(this);
    pb->setObjectName(QStringLiteral("pb"));
    pb->setGeometry(8, 8, 344, 18);
    pb->setTextVisible(false);
    pb->setRange(0, ReportRunner::Steps);
    lInfoP =
        makeLine(this, "lInfoP", QStringLiteral("Proszę czekać, trwa generowanie wybranych raportów"), 38);
    lInfoK = makeLine(this, "lInfoK", QStringLiteral("Zakończono generowanie wybranych raportów"), 38);
    lInfoErr = makeLine(this, "lInfoErr",
                        QStringLiteral("Wystąpił błąd w trakcie generowania wybranych raportów"), 38);
    QPalette red = lInfoErr->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lInfoErr->setPalette(red);
    lDetails = new QLabel(this);
    lDetails->setObjectName(QStringLiteral("lDetails"));
    lDetails->setGeometry(8, 62, 344, 0);
    lDetails->setWordWrap(true);
    lDetails->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lDetails->hide();
    bOk = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bOk->setObjectName(QStringLiteral("bOk"));
    bOk->setGeometry(142, 76, 75, 25);
    bOk->setDefault(true);
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_runner, &ReportRunner::progress, pb, &QProgressBar::setValue);
    connect(m_runner, &ReportRunner::finished, this, &TfrmRaport::runFinished);
}

void TfrmRaport::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Once per showing, when the window is up.
    QTimer::singleShot(0, this, &TfrmRaport::FormActivate);
}

void TfrmRaport::FormActivate() {
    if (m_runner->isActive())
        return;
    lInfoP->show();
    pb->show();
    pb->setValue(0);
    lInfoK->hide();
    lInfoErr->hide();
    showDetails(QString());
    bOk->hide();
    repaint();
    try {
        m_runner->start();
    } catch (const EKolmError& e) {
        // Nothing was started: the stored date of the last report does not read.
        m_app.messages().showMessage(e.text(), QString());
        lInfoP->hide();
        pb->hide();
        lInfoErr->show();
        showDetails(QStringLiteral("Data ostatniego raportu w pliku konfiguracyjnym: ") + e.text());
        bOk->show();
    }
}

void TfrmRaport::showDetails(const QString& text) {
    lDetails->setText(text);
    lDetails->setVisible(!text.isEmpty());
    const int height = text.isEmpty() ? 0 : lDetails->heightForWidth(lDetails->width()) + 6;
    lDetails->setFixedHeight(height);
    // The window grows by what it has to say; the button stays under it.
    setFixedSize(360, 112 + height);
    bOk->move(bOk->x(), 76 + height);
}

void TfrmRaport::runFinished(bool succeeded) {
    const ReportRunner::Outcome& outcome = m_runner->outcome();
    QString details;
    if (succeeded && !outcome.folders.isEmpty())
        details = QStringLiteral("Raporty zapisano w:\n") + outcome.folders.join(QLatin1Char('\n'));
    else if (!succeeded && !outcome.problems.isEmpty())
        details = outcome.problems.mid(qMax(0, outcome.problems.size() - 8)).join(QLatin1Char('\n'));
    showDetails(details);
    lInfoK->setVisible(succeeded);
    lInfoErr->setVisible(!succeeded);
    lInfoP->hide();
    pb->hide();
    bOk->show();
    bOk->setFocus();
}

void TfrmRaport::reject() {
    // Esc presses "Zamknij" once it is there; the run is waited for, not left.
    if (!m_runner->isActive())
        QDialog::accept();
}

} // namespace kolmasyst
