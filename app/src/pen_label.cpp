#include "app/pen_label.h"

#include "widgets/image_list.h"

#include <QPainter>

PenLabel::PenLabel(QWidget *parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PenLabel::SetPicture(const ImageList &images, int index)
{
    images_ = &images;
    index_ = index;
    drawn_ = QPixmap();
    setPixmap(images.Picture(index));
}

void PenLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!images_)
        return;
    const qreal dpr = painter.device()->devicePixelRatioF();
    if (drawn_.deviceIndependentSize().toSize() != size() || drawn_.devicePixelRatio() != dpr)
        drawn_ = images_->PictureAt(index_, size(), dpr);
    painter.drawPixmap(0, 0, drawn_);
}
