#include "tokens.h"

#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <QtDebug>

#include <array>

namespace tokens {

namespace {

// Face glyphs where the emoji set has one: they stay recognisable at 32 px,
// where whole bodies shrink to a smudge. The rooster keeps its body, whose
// comb and tail say "rooster" better than the chicken's head.
const std::array<const char *, 12> kAnimals = {
    "🐶", "🐓", "🐷", "🐴", "🐍", "🐮", "🐑", "🐲", "🐵", "🐭", "🐰", "🐯",
};

constexpr int kTile = 32;
constexpr int kArt = 27; // the glyph's longer side on the tile

// The glyph drawn large, cut to its own bounds. The emoji font holds
// bitmaps of about 128 px, so drawing near that size and scaling down once
// gives the cleanest small pictures.
QImage Glyph(int index)
{
    const QString path = QStringLiteral("/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf");
    static const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        qFatal("make_artwork: %s is missing (Debian package fonts-noto-color-emoji)",
               qPrintable(path));
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setPixelSize(109);
    QImage big(192, 192, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        painter.setFont(font);
        painter.drawText(big.rect(), Qt::AlignCenter,
                         QString::fromUtf8(kAnimals[std::size_t(index - 1)]));
    }
    QRect bounds;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            if (qAlpha(big.pixel(x, y)) > 8)
                bounds |= QRect(x, y, 1, 1);
    if (bounds.isEmpty())
        qFatal("make_artwork: the emoji font drew nothing for token %d", index);
    return big.copy(bounds);
}

} // namespace

QImage Token(int index, int scale)
{
    const QImage glyph = Glyph(index);
    const QSize art = glyph.size().scaled(QSize(kArt, kArt) * scale, Qt::KeepAspectRatio);
    const QImage small = glyph.scaled(art, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QImage image(QSize(kTile, kTile) * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.save();
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(0xc4, 0xcf, 0xdc), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kTile - 1, kTile - 1), 7, 7);
    painter.restore();
    // Device pixels, so the scaled glyph is copied without a second resampling.
    const QPoint at((image.width() - small.width()) / 2, (image.height() - small.height()) / 2);
    painter.drawImage(at, small);
    return image;
}

} // namespace tokens
