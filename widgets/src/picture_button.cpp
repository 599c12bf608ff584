#include "widgets/picture_button.h"

#include "widgets/image_list.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

PictureButton::PictureButton(const ImageList &images, int normalFace, int pressedFace,
                             QWidget *parent)
    : QWidget(parent)
    , images_(images)
    , normalFace_(normalFace)
    , pressedFace_(pressedFace)
{
    setAttribute(Qt::WA_NoSystemBackground);
    SetFace(normalFace);
}

void PictureButton::SetFace(int index)
{
    // Giving a box the picture it already shows changes nothing on screen;
    // a descent re-applies the same faces at every tick.
    if (index == face_)
        return;
    face_ = index;
    FitPicture();
    update();
}

void PictureButton::FitPicture()
{
    const QSize shown = images_.ShownSize(face_);
    if (resizesToPicture_ && !shown.isEmpty())
        resize(shown);
}

void PictureButton::Click()
{
    if (isEnabled() && isVisible())
        emit clicked();
}

void PictureButton::SetChecked(bool checked)
{
    const bool changed = !checkable_ || checked != checked_;
    checkable_ = true;
    checked_ = checked;
    if (!changed)
        return;
    QAccessible::State what;
    what.checkable = true;
    what.checked = true;
    QAccessibleStateChangeEvent event(this, what);
    QAccessible::updateAccessibility(&event);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    const QSize logical = images_.ShownSize(face_);
    if (logical.isEmpty())
        return;
    QPainter painter(this);
    // The artwork for the device painted on: the screen, or a picture of
    // the window saved at another pixel ratio.
    const qreal dpr = painter.device()->devicePixelRatioF();
    if (logical == ImageList::PictureSize(face_)) {
        painter.drawPixmap(0, 0, images_.Picture(face_, dpr));
        return;
    }
    // Zoomed, the face is scaled once for its size and the device, then
    // copied: confirm and Reset change faces at every start of a descent.
    if (drawnFace_ != face_ || drawn_.deviceIndependentSize().toSize() != logical
        || drawn_.devicePixelRatio() != dpr) {
        drawn_ = images_.PictureAt(face_, logical, dpr);
        drawnFace_ = face_;
    }
    painter.drawPixmap(0, 0, drawn_);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    if (pressedFace_ > 0)
        SetFace(pressedFace_);
    if (event->button() == Qt::LeftButton)
        leftDown_ = true;
    emit pressed(event->button());
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (pressedFace_ > 0)
        SetFace(normalFace_);
    emit released(event->button());
    const bool click = event->button() == Qt::LeftButton && leftDown_
        && rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        leftDown_ = false;
    if (click)
        emit clicked();
}
