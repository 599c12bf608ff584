#include "platform/messages.h"

#include "platform/dialog_zoom.h"

#include <QMessageBox>

namespace {

void Show(QWidget *parent, QMessageBox::Icon icon, const QString &text)
{
    // Over the window that asked, at its zoom: a box without an owner may
    // open anywhere on the screen, behind the game under some window
    // managers.
    QWidget *owner = dialog_zoom::OwnerWindow(parent);
    QMessageBox box(icon, QStringLiteral("Kapuna"), text, QMessageBox::Ok, owner);
    dialog_zoom::Apply(&box, owner);
    box.exec();
}

} // namespace

MessageBoxMessages::MessageBoxMessages(QWidget *parent)
    : parent_(parent)
{
}

void MessageBoxMessages::Inform(const QString &text)
{
    Show(parent_, QMessageBox::Information, text);
}

void MessageBoxMessages::Warn(const QString &text)
{
    Show(parent_, QMessageBox::Warning, text);
}
