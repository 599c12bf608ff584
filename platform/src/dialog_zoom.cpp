#include "platform/dialog_zoom.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace dialog_zoom {

QWidget *OwnerWindow(QWidget *owner)
{
    return owner ? owner->window() : QApplication::activeWindow();
}

double Factor(const QWidget *owner)
{
    if (!owner)
        return 1.0;
    bool ok = false;
    const double factor = owner->window()->property(kProperty).toDouble(&ok);
    return ok && factor > 0 ? factor : 1.0;
}

void Apply(QWidget *dialog, const QWidget *owner)
{
    const double factor = Factor(owner);
    if (!dialog || factor == 1.0)
        return;
    QFont font = dialog->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    dialog->setFont(font);
}

} // namespace dialog_zoom
