#include "widgets/TOwnerDrawnMenu.h"

#include "widgets/ClassicMenuMetrics.h"

#include <QActionEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionMenuItem>
#include <qdrawutil.h>

namespace kolmasyst {

const QColor TOwnerDrawnMenu::BandColor(128, 128, 128);
const QRect TOwnerDrawnMenu::BandRect(0, 0, 20, 156);
const QPoint TOwnerDrawnMenu::BandTextOrigin(2, 144);

namespace {
constexpr int kPanelWidth = ClassicMenuMetrics::PanelWidth;
} // namespace

TOwnerDrawnMenu::TOwnerDrawnMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {
    auto* metrics = new ClassicMenuMetrics;
    metrics->setParent(this);
    setStyle(metrics);
}

void TOwnerDrawnMenu::setItemKind(QAction* action, ItemKind kind) {
    m_kinds.insert(action, kind);
    if (kind == ItemKind::Database)
        measureDatabaseItems();
    update();
}

QString TOwnerDrawnMenu::drawnText(const QAction* action) {
    QString text = action->text();
    // "&&" stands for one "&"; a single "&" only marks the mnemonic.
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text.at(i);
    }
    return out;
}

int TOwnerDrawnMenu::captionItemWidth(const QString& actionText) const {
    for (QAction* action : actions()) {
        if (itemKind(action) != ItemKind::Caption || action->text() != actionText)
            continue;
        // Room for the submenu arrow, or a small margin on the right.
        const int right = action->menu() ? 24 : 12;
        return CaptionTextLeft + fontMetrics().horizontalAdvance(drawnText(action)) + right;
    }
    return 0;
}

void TOwnerDrawnMenu::setCaptionBand(const QString& title) {
    m_bandTitle = title;
    update();
}

void TOwnerDrawnMenu::setDatabaseItemWidth(int width) {
    m_databaseItemWidth = width;
    measureDatabaseItems();
}

QColor TOwnerDrawnMenu::menuColor() const {
    return palette().color(QPalette::Active, QPalette::Window);
}

QFont TOwnerDrawnMenu::bandFont() const {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(false);
    // The 7-point height in pixels, made two pixels larger for the rotated copy.
    font.setPixelSize(qRound(7.0 * logicalDpiY() / 72.0) + 2);
    return font;
}

void TOwnerDrawnMenu::actionEvent(QActionEvent* event) {
    if (event->type() == QEvent::ActionRemoved)
        m_kinds.remove(event->action());
    QMenu::actionEvent(event);
    if (event->type() != QEvent::ActionRemoved && itemKind(event->action()) == ItemKind::Database)
        measureDatabaseItems();
}

void TOwnerDrawnMenu::measureDatabaseItems() {
    // Each database item takes the larger of its proposed width + 10 and the common width,
    // and the common width follows it: the widest item so far sets the width of all.
    for (QAction* action : actions()) {
        if (itemKind(action) != ItemKind::Database)
            continue;
        QStyleOptionMenuItem option;
        initStyleOption(&option, action);
        const QSize text(option.fontMetrics.horizontalAdvance(drawnText(action)),
                         option.fontMetrics.height());
        const int proposed = style()->sizeFromContents(QStyle::CT_MenuItem, &option, text, this).width();
        m_databaseItemWidth = qMax(proposed + 10, m_databaseItemWidth);
    }
    setMinimumWidth(m_databaseItemWidth + 2 * kPanelWidth);
}

void TOwnerDrawnMenu::drawOwnItem(QPainter& painter, QAction* action, const QRect& itemRect, int textLeft) {
    const bool selected = action == activeAction() && action->isEnabled();
    QRect area = itemRect;
    area.setLeft(textLeft);
    painter.fillRect(area, selected ? palette().color(QPalette::Active, QPalette::Highlight) : menuColor());
    QColor ink = palette().color(QPalette::Active, QPalette::WindowText);
    if (!action->isEnabled())
        ink = palette().color(QPalette::Disabled, QPalette::WindowText);
    else if (selected)
        ink = palette().color(QPalette::Active, QPalette::HighlightedText);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                     drawnText(action));
    if (action->menu()) {
        // The submenu arrow at the right edge.
        const int cx = itemRect.right() - 8;
        const int cy = itemRect.center().y();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(ink);
        painter.drawPolygon(QPolygon({QPoint(cx - 2, cy - 4), QPoint(cx + 2, cy), QPoint(cx - 2, cy + 4)}));
        painter.setBrush(Qt::NoBrush);
    }
    if (itemKind(action) == ItemKind::Database && action->isChecked() && !m_mark.isNull())
        painter.drawPixmap(QPoint(1, itemRect.top() + 2), m_mark);
}

void TOwnerDrawnMenu::DrawCaptionBand(QPainter& painter) {
    painter.save();
    painter.setClipping(false);
    painter.fillRect(BandRect, BandColor);
    painter.setFont(bandFont());
    painter.setPen(Qt::white);
    // The text runs upwards from its origin; the tops of its letters face left.
    painter.translate(BandTextOrigin);
    painter.rotate(-90);
    painter.drawText(QPoint(0, painter.fontMetrics().ascent()), m_bandTitle);
    painter.restore();
}

void TOwnerDrawnMenu::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), menuColor());
    qDrawPlainRect(&painter, rect(), palette().color(QPalette::Active, QPalette::Dark), kPanelWidth);
    for (QAction* action : actions()) {
        if (!action->isVisible())
            continue;
        const QRect itemRect = actionGeometry(action);
        if (!itemRect.isValid() || !event->rect().intersects(itemRect))
            continue;
        switch (itemKind(action)) {
        case ItemKind::Caption:
            drawOwnItem(painter, action, itemRect, CaptionTextLeft);
            break;
        case ItemKind::Database:
            drawOwnItem(painter, action, itemRect, DatabaseTextLeft);
            break;
        case ItemKind::Standard: {
            QStyleOptionMenuItem option;
            initStyleOption(&option, action);
            option.rect = itemRect;
            painter.save();
            painter.setClipRect(itemRect);
            style()->drawControl(QStyle::CE_MenuItem, &option, &painter, this);
            painter.restore();
            break;
        }
        }
    }
    if (!m_bandTitle.isEmpty())
        DrawCaptionBand(painter);
}

} // namespace kolmasyst
