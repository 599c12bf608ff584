#include "faces.h"

#include "glyphs.h"
#include "layout.h"
#include "raster.h"

#include "widgets/image_list.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <array>

namespace faces {

namespace {

enum class Glyph { Up, Down, Add, Cross, Bin, Play, Again, Ladder, Question, Exit, Printer };

// One picture button with its three faces. The face is a tile ("body")
// anchored at the top-left corner, as the window shows faces unscaled from
// there; the normal face adds a drop shadow to the right and below, the
// pressed face drops the shadow and sits a pixel lower.
struct Button
{
    int normal;
    int pressed;
    int greyed; // 0: the button is never disabled
    QSize box;  // the size of the box on the window, which cuts the face
    QRgb colour;
    qreal radius;
    Glyph glyph;
    const char *caption; // UTF-8, lines separated by '\n'; null for none
    int captionPixels;
};

const std::array<Button, 11> kButtons = {{
    {13, 23, 33, layout::kPicUpdown0.size(), 0xffff9a1f, 5, Glyph::Up, nullptr, 0},
    {14, 24, 34, layout::kPicUpdown1.size(), 0xffff9a1f, 5, Glyph::Down, nullptr, 0},
    {15, 25, 35, layout::kPicAdd.size(), 0xff1fae5b, 6, Glyph::Add, nullptr, 0},
    {16, 26, 36, layout::kPicDel.size(), 0xffee4d3a, 10, Glyph::Cross, "삭제", 13},
    {17, 27, 37, layout::kPicClear.size(), 0xffb8325e, 10, Glyph::Bin, "전체\n삭제", 11},
    {18, 28, 38, layout::kPicOk.size(), 0xff1fae4b, 12, Glyph::Play, "게임\n시작", 12},
    {19, 29, 39, layout::kPicReset.size(), 0xffff8a00, 12, Glyph::Again, "게임\n재설정", 12},
    {20, 30, 0, layout::kPicAbout.size(), 0xff3d55e0, 11, Glyph::Ladder, nullptr, 0},
    {21, 31, 0, layout::kPicHelp.size(), 0xff9a4ddb, 11, Glyph::Question, nullptr, 0},
    {22, 32, 0, layout::kPicEnd.size(), 0xffe5383b, 11, Glyph::Exit, nullptr, 0},
    {48, 49, 0, layout::kPicPrint.size(), 0xff0f9f9f, 11, Glyph::Printer, nullptr, 0},
}};

enum class Look { Normal, Pressed, Greyed };

constexpr int kShadowRight = 2;
constexpr int kShadowBelow = 3;
constexpr QRgb kGreyBody = 0xffc9cfd8;
constexpr QRgb kGreyInk = 0xff8d96a3;

// The tile's size: the largest that fits, with its shadow, in the normal
// face and in the box, and that still fits a pixel lower in the pressed face.
QSize BodySize(const Button &b)
{
    const QSize normal = ImageList::PictureSize(b.normal);
    const QSize pressed = ImageList::PictureSize(b.pressed);
    return {std::min({normal.width() - kShadowRight, b.box.width() - kShadowRight,
                      pressed.width()}),
            std::min({normal.height() - kShadowBelow, b.box.height() - kShadowBelow,
                      pressed.height() - 1})};
}

void DrawGlyph(QPainter &painter, Glyph glyph, const QRectF &area, QColor ink, QColor ground,
               Look look)
{
    switch (glyph) {
    case Glyph::Up:
        glyphs::ArrowUp(painter, area, ink);
        break;
    case Glyph::Down:
        glyphs::ArrowDown(painter, area, ink);
        break;
    case Glyph::Add:
        glyphs::ArrowIntoList(painter, area, ink);
        break;
    case Glyph::Cross:
        glyphs::Cross(painter, area, ink);
        break;
    case Glyph::Bin:
        glyphs::Bin(painter, area, ink, ground);
        break;
    case Glyph::Play:
        glyphs::Play(painter, area, ink);
        break;
    case Glyph::Again:
        glyphs::Again(painter, area, ink);
        break;
    case Glyph::Ladder: {
        const QColor bright[3] = {QColor(0xffd21f), QColor(0xff5fa2), QColor(0x3ee07f)};
        const QColor plain[3] = {ink, ink, ink};
        glyphs::Ladder(painter, area, ink, look == Look::Greyed ? plain : bright,
                       area.width() * 0.13);
        break;
    }
    case Glyph::Question:
        glyphs::Question(painter, area, ink);
        break;
    case Glyph::Exit:
        glyphs::Exit(painter, area, ink, ground);
        break;
    case Glyph::Printer:
        glyphs::Printer(painter, area, ink, ground);
        break;
    }
}

void DrawButton(QPainter &painter, const Button &b, Look look)
{
    const QSize size = BodySize(b);
    QRectF body(QPointF(0, look == Look::Pressed ? 1 : 0), size);
    QPainterPath tile;
    tile.addRoundedRect(body, b.radius, b.radius);

    const QColor colour = QColor::fromRgb(b.colour);
    QColor ground = colour;
    QColor ink = Qt::white;
    if (look == Look::Normal) {
        raster::SoftShadow(painter, tile, QPointF(1, 1.6), 1.6, QColor(0, 10, 50, 110));
        QLinearGradient fill(body.topLeft(), body.bottomLeft());
        fill.setColorAt(0, colour.lighter(114));
        fill.setColorAt(1, colour);
        painter.fillPath(tile, fill);
    } else if (look == Look::Pressed) {
        ground = colour.darker(122);
        painter.fillPath(tile, ground);
        // A shade along the top edge reads as the tile being pushed in.
        QLinearGradient shade(body.topLeft(), body.topLeft() + QPointF(0, 4));
        shade.setColorAt(0, QColor(0, 0, 0, 80));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        painter.fillPath(tile, shade);
        ink = QColor(0xf2, 0xf2, 0xf2);
    } else {
        ground = QColor::fromRgb(kGreyBody);
        ink = QColor::fromRgb(kGreyInk);
        painter.fillPath(tile, ground);
    }

    const QStringList lines = b.caption ? QString::fromUtf8(b.caption).split(QLatin1Char('\n'))
                                        : QStringList();
    if (lines.isEmpty()) {
        const qreal inset = std::min(body.width(), body.height()) * 0.22;
        DrawGlyph(painter, b.glyph, body.adjusted(inset, inset, -inset, -inset), ink, ground,
                  look);
        return;
    }
    const qreal lineHeight = b.captionPixels + 1.5;
    const qreal captionTop = body.bottom() - 4 - lines.size() * lineHeight;
    const QRectF glyphArea(body.left() + 6, body.top() + 5, body.width() - 12,
                           captionTop - body.top() - 7);
    DrawGlyph(painter, b.glyph, glyphArea, ink, ground, look);
    const QFont font = raster::CaptionFont(b.captionPixels);
    for (int i = 0; i < lines.size(); ++i) {
        const QPointF centre(body.center().x(), captionTop + (i + 0.5) * lineHeight);
        raster::CentredText(painter, centre, lines[i], font, ink);
    }
}

// The start-mode selector: a radio circle and its label, on white.
void DrawStartMode(QPainter &painter, int index)
{
    const int n = index - 40;           // 0..7
    const bool greyed = n >= 4;
    const bool automatic = (n % 4) >= 2; // 42, 43, 46, 47
    const bool selected = n % 2 == 0;    // 40, 42, 44, 46
    const QSize size = ImageList::PictureSize(index);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);

    const QColor accent = greyed ? QColor(0xc3, 0xca, 0xd3) : QColor::fromRgb(layout::kPanelBlue);
    const QColor ring = greyed ? QColor(0xc3, 0xca, 0xd3)
                               : (selected ? accent : QColor(0x8a, 0x9a, 0xb3));
    const QColor text = greyed ? QColor(0xa9, 0xb1, 0xbc) : QColor(0x1a, 0x26, 0x44);
    const qreal d = size.height() - 5.0;
    const QPointF centre(3 + d / 2, size.height() / 2.0);
    painter.save();
    painter.setPen(QPen(ring, 1.8));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, d / 2 - 0.9, d / 2 - 0.9);
    if (selected) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        painter.drawEllipse(centre, d / 2 - 3.6, d / 2 - 3.6);
    }
    painter.restore();
    const QString label = automatic ? QStringLiteral("전체시작") : QStringLiteral("선택시작");
    const QFont font = raster::CaptionFont(12);
    const qreal left = 3 + d + 5;
    const QFontMetricsF metrics(font);
    raster::CentredText(painter,
                        QPointF(left + metrics.horizontalAdvance(label) / 2, size.height() / 2.0),
                        label, font, text);
}

} // namespace

QImage Face(int index, int scale)
{
    const QSize size = ImageList::PictureSize(index);
    return raster::Paint(size, scale, [index](QPainter &painter) {
        if (index >= 40 && index <= 47) {
            DrawStartMode(painter, index);
            return;
        }
        for (const Button &b : kButtons) {
            if (index == b.normal)
                DrawButton(painter, b, Look::Normal);
            else if (index == b.pressed)
                DrawButton(painter, b, Look::Pressed);
            else if (index == b.greyed)
                DrawButton(painter, b, Look::Greyed);
        }
    });
}

} // namespace faces
