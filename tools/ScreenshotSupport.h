#pragma once

#include <QApplication>
#include <QScreen>
#include <QString>
#include <QThread>
#include <QWidget>

// What the screenshot tools share: letting a shown window paint, and a picture of a window with
// its frame as the X server shows it.
namespace ScreenshotSupport {

inline void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

inline void shootFrame(QWidget& window, const QString& file) {
    settle();
    const QRect frame = window.frameGeometry();
    window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(file);
}

} // namespace ScreenshotSupport
