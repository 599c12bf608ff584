#include "platform/messages.h"

#include "platform/dialog_zoom.h"

#include <QMessageBox>

MessageBoxMessages::MessageBoxMessages(const DialogZoom &zoom, QWidget *parent)
    : zoom_(zoom)
    , parent_(parent)
{
}

void MessageBoxMessages::Inform(const QString &text)
{
    // Over the window that asked, at the game's zoom: a box without an
    // owner may open anywhere on the screen, behind the game under some
    // window managers.
    QWidget *owner = dialog_zoom::OwnerWindow(parent_);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kapuna"), text, QMessageBox::Ok, owner);
    dialog_zoom::Apply(&box, zoom_);
    box.exec();
}
