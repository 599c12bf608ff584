#include "app/image_list.h"

#include <QColor>
#include <QPainter>

// Stand-in pictures until the artwork lands: plain tiles of the right sizes.

namespace {

constexpr std::array<QSize, ImageList::kCount> kSizes = {{
    {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32},
    {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32}, {32, 32},
    {20, 21}, {21, 22}, {26, 29}, {48, 52}, {48, 50}, {61, 60}, {60, 60}, {48, 48}, {49, 50}, {48, 48},
    {22, 24}, {23, 23}, {26, 31}, {49, 53}, {50, 51}, {61, 61}, {60, 60}, {49, 47}, {47, 49}, {47, 48},
    {19, 23}, {20, 22}, {28, 34}, {49, 55}, {49, 52}, {62, 64}, {62, 62},
    {78, 18}, {78, 18}, {79, 19}, {79, 19}, {78, 18}, {78, 18}, {79, 19}, {79, 19},
    {52, 50}, {50, 49},
}};

} // namespace

ImageList::ImageList(qreal)
{
    for (int i = 1; i <= kCount; ++i) {
        QPixmap p(PictureSize(i));
        p.fill(QColor::fromHsv((i * 37) % 360, 120, 230));
        pictures_[std::size_t(i - 1)] = p;
    }
    background_ = QPixmap(795, 515);
    background_.fill(QColor(0xc0, 0xe0, 0xff));
    QPainter painter(&background_);
    painter.fillRect(0, 0, 150, 515, QColor(0x20, 0x60, 0xd0));
    QPixmap iconPicture(32, 32);
    iconPicture.fill(Qt::blue);
    icon_ = QIcon(iconPicture);
}

QPixmap ImageList::Picture(int index) const
{
    if (index < 1 || index > kCount)
        return {};
    return pictures_[std::size_t(index - 1)];
}

QSize ImageList::PictureSize(int index)
{
    if (index < 1 || index > kCount)
        return {};
    return kSizes[std::size_t(index - 1)];
}
