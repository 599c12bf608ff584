#include "widgets/text_fit.h"

#include "widgets/zoom_level.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace text_fit {

namespace {

constexpr qreal kPointStep = 0.25;
// Letters narrowed to no less than this share of their width.
constexpr int kNarrowestStretch = 50;
constexpr int kStretchStep = 5;
// QLineEdit keeps this much room between its contents edge and the text.
constexpr int kLineEditMargin = 2;

} // namespace

bool Fits(const QFont &font, const QString &text, int width)
{
    const QFontMetrics metrics(font);
    const int overhang = std::max(0, -metrics.minLeftBearing())
                         + std::max(0, -metrics.minRightBearing());
    return overhang + qRound(QFontMetricsF(font).horizontalAdvance(text)) + 1 <= width;
}

QFont Fitted(const QFont &normal, const QString &text, int width, qreal smallest)
{
    if (text.isEmpty() || Fits(normal, text, width))
        return normal;
    QFont font = normal;
    const qreal normalSize =
        normal.pointSizeF() > 0 ? normal.pointSizeF() : QFontInfo(normal).pointSizeF();
    for (qreal size = normalSize - kPointStep; size >= smallest; size -= kPointStep) {
        font.setPointSizeF(size);
        if (Fits(font, text, width))
            return font;
    }
    font.setPointSizeF(std::min(normalSize, smallest));
    for (int stretch = 100 - kStretchStep; stretch >= kNarrowestStretch; stretch -= kStretchStep) {
        font.setStretch(stretch);
        if (Fits(font, text, width))
            return font;
    }
    return font;
}

int TextWidth(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
                        : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditMargin;
}

} // namespace text_fit

TextFit *TextFit::Attach(QLineEdit *box, const QFont &design, const ZoomLevel &zoom)
{
    if (TextFit *existing = Of(box))
        return existing;
    return new TextFit(box, design, zoom);
}

TextFit *TextFit::Of(const QLineEdit *box)
{
    return box->findChild<TextFit *>(QString(), Qt::FindDirectChildrenOnly);
}

TextFit::TextFit(QLineEdit *box, const QFont &design, const ZoomLevel &zoom)
    : QObject(box)
    , box_(box)
    , design_(design)
    , zoom_(zoom)
{
    box_->installEventFilter(this);
    connect(box_, &QLineEdit::textChanged, this, &TextFit::Refit);
    Refit();
}

void TextFit::Refit()
{
    const double factor = zoom_.Factor();
    QFont normal = design_;
    normal.setPointSizeF(design_.pointSizeF() * factor);
    const QFont fitted = text_fit::Fitted(normal, box_->text(), text_fit::TextWidth(box_),
                                          text_fit::kSmallestPointSize * factor);
    if (fitted != box_->font())
        box_->setFont(fitted);
}

bool TextFit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == box_ && event->type() == QEvent::Resize)
        Refit();
    return QObject::eventFilter(watched, event);
}
