#pragma once

#include <QProxyStyle>

// The application's style with every length it gives times a factor: the
// margins and spacings of layouts, frames, scroll bars, indicators, and the
// sizes at which icons are asked for. A box at the game's zoom takes its
// font from the zoom and its proportions from here, so that nothing in it
// stays at its 100 % size beside text twice as large.
class ZoomedStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    explicit ZoomedStyle(double factor);

    double Factor() const { return factor_; }

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    int layoutSpacing(QSizePolicy::ControlType control1, QSizePolicy::ControlType control2,
                      Qt::Orientation orientation, const QStyleOption *option = nullptr,
                      const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;

private:
    int Scaled(int length) const;

    double factor_;
};
