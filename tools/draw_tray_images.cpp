// Draws the assistant's twelve notification-area images into a folder:
// draw_tray_images <folder>. Each image is written at 16 x 16 ("trayNN.png") and at 32 x 32
// ("trayNN@2x.png") for larger trays. 0..9: a pencil writing two lines on a sheet;
// 10: the still sheet with a table; 11: a clipboard with a red tick.
// draw_tray_images --app-icon <folder>: the clipboard as the assistant's application icon,
// "<folder>/<N>x<N>/apps/kolmasyst.png" at the icon theme's usual sizes.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

const QColor kOutline(96, 96, 96);
const QColor kPaper(255, 255, 255);
const QColor kRule(200, 210, 225);
const QColor kInk(20, 40, 150);

// The sheet of paper with a folded top-right corner, in 16-unit coordinates.
void drawSheet(QPainter& p) {
    QPainterPath sheet;
    sheet.moveTo(2.5, 1.5);
    sheet.lineTo(9.5, 1.5);
    sheet.lineTo(12.5, 4.5);
    sheet.lineTo(12.5, 14.5);
    sheet.lineTo(2.5, 14.5);
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    QPainterPath fold;
    fold.moveTo(9.5, 1.5);
    fold.lineTo(9.5, 4.5);
    fold.lineTo(12.5, 4.5);
    p.setBrush(QColor(220, 220, 220));
    p.drawPath(fold);
}

// A written line from x = 4 to x = end at height y: a small wave of ink.
void drawWriting(QPainter& p, double y, double end) {
    if (end <= 4)
        return;
    QPainterPath ink;
    ink.moveTo(4, y);
    for (double x = 4; x < end; x += 1)
        ink.lineTo(qMin(x + 1, end), y + ((int(x) % 2) ? -0.8 : 0.4));
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ink);
}

// A pencil whose tip touches (x, y), its body rising to the upper right.
void drawPencil(QPainter& p, double x, double y) {
    p.save();
    p.translate(x, y);
    p.rotate(-45);
    p.setPen(Qt::NoPen);
    // Wooden cone and graphite tip.
    QPainterPath cone;
    cone.moveTo(0, 0);
    cone.lineTo(3, -1.6);
    cone.lineTo(3, 1.6);
    cone.closeSubpath();
    p.setBrush(QColor(238, 200, 150));
    p.drawPath(cone);
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(1.2, -0.65);
    tip.lineTo(1.2, 0.65);
    tip.closeSubpath();
    p.setBrush(QColor(40, 40, 40));
    p.drawPath(tip);
    // Yellow body, metal band and pink eraser.
    p.setBrush(QColor(250, 196, 30));
    p.drawRect(QRectF(3, -1.6, 6, 3.2));
    p.setBrush(QColor(210, 140, 0));
    p.drawRect(QRectF(3, 0.5, 6, 1.1));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(9, -1.6, 1.2, 3.2));
    p.setBrush(QColor(240, 130, 150));
    p.drawRect(QRectF(10.2, -1.6, 1.6, 3.2));
    p.restore();
}

void drawFrame(QPainter& p, int frame) {
    drawSheet(p);
    p.setPen(QPen(kRule, 1));
    p.drawLine(QPointF(4, 8.5), QPointF(11, 8.5));
    p.drawLine(QPointF(4, 12.5), QPointF(11, 12.5));
    // Five steps along each of the two lines.
    const int line = frame / 5;
    const int step = frame % 5;
    const double lineY[2] = {8.0, 12.0};
    if (line == 1)
        drawWriting(p, lineY[0], 11);
    const double tipX = 4 + step * 1.6;
    drawWriting(p, lineY[line], tipX);
    drawPencil(p, tipX, lineY[line]);
}

void drawStill(QPainter& p) {
    drawSheet(p);
    // A table: a tinted header row over a grid of three columns and three rows. Lines lie on
    // half units so that they stay one pixel sharp at 16 x 16.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 190, 235));
    p.drawRect(QRectF(4.5, 5.5, 6, 2));
    p.setPen(QPen(QColor(50, 90, 165), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(4.5, 5.5, 6, 8));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(4.5, y), QPointF(10.5, y));
    for (double x : {6.5, 8.5})
        p.drawLine(QPointF(x, 5.5), QPointF(x, 13.5));
}

void drawClipboard(QPainter& p) {
    p.setPen(QPen(QColor(100, 60, 20), 1));
    p.setBrush(QColor(175, 115, 55));
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 13), 1.5, 1.5);
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 4.5, 7, 9.5));
    // The metal clip.
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(QColor(200, 200, 205));
    p.drawRoundedRect(QRectF(5.5, 1.0, 5, 3), 1, 1);
    // The red tick.
    QPainterPath tick;
    tick.moveTo(5.5, 9);
    tick.lineTo(7.5, 11.5);
    tick.lineTo(11.5, 5.5);
    p.setPen(QPen(QColor(220, 0, 0), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

bool writeImage(const QString& folder, int index, int scale) {
    QImage image(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    if (index < 10)
        drawFrame(p, index);
    else if (index == 10)
        drawStill(p);
    else
        drawClipboard(p);
    p.end();
    const QString name = QStringLiteral("tray%1%2.png")
                             .arg(index, 2, 10, QLatin1Char('0'))
                             .arg(scale == 1 ? QString() : QStringLiteral("@2x"));
    return image.save(QDir(folder).filePath(name));
}

bool writeAppIcons(const QString& folder) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        drawClipboard(p);
        p.end();
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        QDir(folder).mkpath(sub);
        if (!image.save(QDir(folder).filePath(sub + QStringLiteral("/kolmasyst.png"))))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (app.arguments().value(1) == QLatin1String("--app-icon")) {
        const QString folder = app.arguments().value(2, QStringLiteral("."));
        if (writeAppIcons(folder))
            return 0;
        std::fprintf(stderr, "cannot write the icons into %s\n", qPrintable(folder));
        return 1;
    }
    const QString folder = app.arguments().value(1, QStringLiteral("."));
    QDir().mkpath(folder);
    for (int index = 0; index < 12; ++index) {
        for (int scale : {1, 2}) {
            if (!writeImage(folder, index, scale)) {
                std::fprintf(stderr, "cannot write image %d into %s\n", index, qPrintable(folder));
                return 1;
            }
        }
    }
    return 0;
}
