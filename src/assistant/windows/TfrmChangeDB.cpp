#include "windows/TfrmChangeDB.h"

#include "widgets/AssistantLook.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace kolmasyst {

namespace {
QLabel* makeLine(QWidget* parent, const char* name, int top, int pixelSize, const QColor& colour) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(0, top, TfrmChangeDB::ClientWidth, pixelSize + 12);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}
} // namespace

TfrmChangeDB::TfrmChangeDB(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmChangeDB"));
    // No caption and no title-bar controls.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setFixedSize(ClientWidth, ClientHeight);
    AssistantLook::applyFormLook(this);
    // The dialog border, drawn by the notice itself since it has no frame of the desktop's.
    auto* border = new QFrame(this);
    border->setGeometry(0, 0, ClientWidth, ClientHeight);
    border->setFrameShape(QFrame::Panel);
    border->setFrameShadow(QFrame::Raised);
    border->setLineWidth(2);
    lCzekaj = makeLine(this, "lCzekaj", 10, 16, Qt::red);
    lCzekaj->setText(QStringLiteral("Proszę czekać !!!"));
    lInfor = makeLine(this, "lInfor", 44, 0, Qt::black);
    lAlias = makeLine(this, "lAlias", 72, 16, Qt::red);
}

void TfrmChangeDB::showNotice(const QString& info, const QString& alias) {
    lInfor->setText(info);
    lAlias->setText(alias);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmChangeDB::closeNotice() {
    if (isVisible())
        hide();
}

} // namespace kolmasyst
