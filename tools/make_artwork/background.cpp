#include "background.h"

#include "layout.h"
#include "raster.h"

#include "widgets/image_list.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace background {

namespace {

const QColor kWhite(Qt::white);

QPainterPath Rounded(const QRectF &r, qreal radius)
{
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

// A label painted on the panel, white and bold.
void Label(QPainter &painter, QPointF centre, const QString &text)
{
    raster::CentredText(painter, centre + QPointF(0, 1), text, raster::CaptionFont(13),
                        QColor(0, 20, 80, 90));
    raster::CentredText(painter, centre, text, raster::CaptionFont(13), kWhite);
}

// A white field a little larger than the control that stands on it, so that
// the control's edges never show the panel through.
void Field(QPainter &painter, const QRect &control, qreal margin, qreal radius)
{
    const QRectF r = QRectF(control).adjusted(-margin, -margin, margin, margin);
    painter.fillPath(Rounded(r, radius), kWhite);
}

void Panel(QPainter &painter)
{
    const QRectF panel(0, 0, layout::kPanelWidth, ImageList::kBackgroundSize.height());
    QLinearGradient blue(panel.topLeft(), panel.bottomLeft());
    blue.setColorAt(0, QColor::fromRgb(layout::kPanelBlue).lighter(108));
    blue.setColorAt(1, QColor::fromRgb(layout::kPanelBlueDeep));
    painter.fillRect(panel, blue);
    // A darker seam where the panel meets the playing area.
    painter.fillRect(QRectF(layout::kPanelWidth - 2, 0, 2, panel.height()),
                     QColor::fromRgb(layout::kPanelBlueDeep).darker(125));

    const QColor frameLine(255, 255, 255, 215);
    const QColor frameFill(255, 255, 255, 28);

    // Player count: label, white circle for the count, room for the spinner.
    const QRectF countFrame(8, 10, 136, 60);
    painter.fillPath(Rounded(countFrame, 11), frameFill);
    painter.setPen(QPen(frameLine, 2));
    painter.drawPath(Rounded(countFrame.adjusted(1, 1, -1, -1), 10));
    painter.setPen(Qt::NoPen);
    Label(painter, QPointF(48, 40.5), QStringLiteral("게임인원"));
    const QPointF member = QRectF(layout::kTxtMember).center();
    raster::SoftShadow(painter, [&] {
        QPainterPath p;
        p.addEllipse(member, 12.5, 12.5);
        return p;
    }(), QPointF(0, 1.2), 1.5, QColor(0, 20, 80, 120));
    painter.setBrush(kWhite);
    painter.drawEllipse(member, 12.5, 12.5);

    // Prizes: label over a pink frame holding the entry box, add arrow, list
    // and the two delete buttons.
    Label(painter, QPointF(79, 104), QStringLiteral("당첨내역"));
    const QRectF prizeFrame(16, 118, 126, 188);
    raster::SoftShadow(painter, Rounded(prizeFrame, 11), QPointF(0, 1.5), 2,
                       QColor(0, 20, 80, 110));
    painter.fillPath(Rounded(prizeFrame, 11), kWhite);
    painter.fillPath(Rounded(prizeFrame.adjusted(2, 2, -2, -2), 9),
                     QColor::fromRgb(layout::kFramePink));
    Field(painter, layout::kTxtInput, 3, 3);
    Field(painter, layout::kLstBul, 1, 2);

    // Start mode: label over a white oval for the two selector faces.
    Label(painter, QPointF(76, 340), QStringLiteral("게임선택"));
    const QRectF oval(24, 354, 104, 56);
    raster::SoftShadow(painter, Rounded(oval, 28), QPointF(0, 1.5), 2, QColor(0, 20, 80, 110));
    painter.fillPath(Rounded(oval, 28), kWhite);
}

void PlayingArea(QPainter &painter)
{
    const QSize size = ImageList::kBackgroundSize;
    const QRectF area(layout::kPanelWidth, 0, size.width() - layout::kPanelWidth, size.height());
    painter.fillRect(area, QColor::fromRgb(layout::kPlayBlue));
    // The panel casts a faint shadow onto the field.
    QLinearGradient shade(area.topLeft(), area.topLeft() + QPointF(5, 0));
    shade.setColorAt(0, QColor(0, 30, 90, 60));
    shade.setColorAt(1, QColor(0, 30, 90, 0));
    painter.fillRect(QRectF(area.left(), 0, 5, area.height()), shade);
    // A hairline under the banner strip, well above the start buttons.
    painter.fillRect(QRectF(area.left() + 12, 78, area.width() - 24, 1), QColor(0xb4, 0xd1, 0xee));
}

} // namespace

QImage Background(int scale)
{
    return raster::Paint(ImageList::kBackgroundSize, scale, [](QPainter &painter) {
        PlayingArea(painter);
        Panel(painter);
    });
}

} // namespace background
