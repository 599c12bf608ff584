#include "platform/zoomed_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionMenuItem>

#include <cmath>

namespace {

// The narrowest push button with a text the common styles make, at 100 %.
constexpr int kPushButtonWidth = 80;

QStyle *ApplicationStyleCopy()
{
    // A proxy owns its base; the application's own style must stay the
    // application's, so the proxy gets a fresh one of the same kind.
    return QStyleFactory::create(QApplication::style()->name());
}

} // namespace

ZoomedStyle::ZoomedStyle(double factor)
    : QProxyStyle(ApplicationStyleCopy())
    , factor_(factor)
{
}

int ZoomedStyle::Scaled(int length) const
{
    // Zero and the negative answers ("none", "not set") are not lengths.
    return length > 0 ? std::max(1, int(std::lround(length * factor_))) : length;
}

int ZoomedStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                             const QWidget *widget) const
{
    return Scaled(QProxyStyle::pixelMetric(metric, option, widget));
}

int ZoomedStyle::layoutSpacing(QSizePolicy::ControlType control1,
                               QSizePolicy::ControlType control2, Qt::Orientation orientation,
                               const QStyleOption *option, const QWidget *widget) const
{
    return Scaled(QProxyStyle::layoutSpacing(control1, control2, orientation, option, widget));
}

QSize ZoomedStyle::sizeFromContents(ContentsType type, const QStyleOption *option,
                                    const QSize &size, const QWidget *widget) const
{
    QSize made = QProxyStyle::sizeFromContents(type, option, size, widget);
    // Around a menu's entry the base style puts room of its own measure,
    // which the zoom would leave as it is: the entries would crowd.
    if (type == CT_MenuItem) {
        QSize content = size;
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (item && item->text.contains(QLatin1Char('\t')))
            content.rwidth() += item->reservedShortcutWidth;
        const QSize room = made - content;
        made = content + QSize(Scaled(room.width()), Scaled(room.height()));
    }
    // The base style holds a button with a text to its own fixed width,
    // which the zoom would leave narrow beside the larger text.
    if (type == CT_PushButton) {
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (button && !button->text.isEmpty())
            made.setWidth(std::max(made.width(), Scaled(kPushButtonWidth)));
    }
    return made;
}
