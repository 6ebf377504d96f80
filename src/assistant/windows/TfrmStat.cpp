#include "windows/TfrmStat.h"

#include "AppContext.h"
#include "MessageService.h"
#include "logic/StatisticsText.h"
#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/FormPlacement.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>

namespace kolmasyst {

TfrmStat::TfrmStat(AppContext& app, FormPlacement& placement, QWidget* parent)
    : QDialog(parent), m_app(app), m_placement(placement) {
    setObjectName(QStringLiteral("frmStat"));
    setWindowTitle(QStringLiteral("Statystyki systemu KOLM"));
    setProperty("helpContext", HelpContext);
    setSizeGripEnabled(true);
    setMinimumSize(MinimumWidth, MinimumHeight);
    AssistantLook::applyFormLook(this);
    resize(MinimumWidth, MinimumHeight);
    mStat = new QPlainTextEdit(this);
    mStat->setObjectName(QStringLiteral("mStat"));
    mStat->setReadOnly(true);
    mStat->setLineWrapMode(QPlainTextEdit::NoWrap);
    mStat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mStat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette p = mStat->palette();
    p.setColor(QPalette::Base, AssistantLook::ListBackground);
    mStat->setPalette(p);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    bEnd = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bEnd->setObjectName(QStringLiteral("bEnd"));
    bEnd->setDefault(true);
    connect(bEnd, &QPushButton::clicked, this, &QDialog::accept);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_placement.RestoreFormPlacement(this);
}

TfrmStat::~TfrmStat() {
    m_placement.SaveFormPlacement(this);
}

void TfrmStat::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The text grows with the window; the button stays at the bottom, above the status bar.
    const int w = width(), h = height();
    StatusBar1->setGeometry(0, h - 20, w, 20);
    bEnd->setGeometry((w - 90) / 2, h - 54, 90, 25);
    mStat->setGeometry(8, 8, w - 16, h - 70);
}

void TfrmStat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmStat::FormShow() {
    QString error;
    mStat->setPlainText(StatisticsText::build(m_app, &error).join(QLatin1Char('\n')));
    if (!error.isEmpty())
        m_app.messages().showMessage(error, QString());
}

} // namespace kolmasyst
