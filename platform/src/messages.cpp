#include "platform/messages.h"

#include "platform/dialog_zoom.h"

#include <QMessageBox>

MessageBoxMessages::MessageBoxMessages(QWidget *parent)
    : parent_(parent)
{
}

void MessageBoxMessages::Inform(const QString &text)
{
    // Over the window that asked, at its zoom: a box without an owner may
    // open anywhere on the screen, behind the game under some window
    // managers.
    QWidget *owner = dialog_zoom::OwnerWindow(parent_);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kapuna"), text, QMessageBox::Ok, owner);
    dialog_zoom::Apply(&box, owner);
    box.exec();
}
