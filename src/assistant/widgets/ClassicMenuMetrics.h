#pragma once

#include <QProxyStyle>

namespace kolmasyst {

// The style of the owner-drawn menus: classic rows of 19 pixels and separators of 9 under a
// one-pixel frame, so that the caption band spans the whole tray menu.
// Caption items of a TOwnerDrawnMenu measure their own text from the band strip on.
class ClassicMenuMetrics : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 19;
    static constexpr int SeparatorHeight = 9;
    static constexpr int PanelWidth = 1;
    static constexpr int VerticalMargin = 2;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

} // namespace kolmasyst
