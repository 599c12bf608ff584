#include "platform/dialog_zoom.h"

#include <QApplication>
#include <QWidget>

namespace dialog_zoom {

QWidget *OwnerWindow(QWidget *owner)
{
    return owner ? owner->window() : QApplication::activeWindow();
}

void Apply(QWidget *dialog, const DialogZoom &zoom)
{
    const double factor = zoom.Factor();
    if (!dialog || factor == 1.0)
        return;
    QFont font = dialog->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    dialog->setFont(font);
}

} // namespace dialog_zoom
