#include "platform/messages.h"

#include "platform/dialog_zoom.h"

#include <QMessageBox>

namespace {

int Show(QWidget *parent, const DialogZoom &zoom, QMessageBox::Icon icon, const QString &text,
         QMessageBox::StandardButtons buttons = QMessageBox::Ok)
{
    // Over the window that asked, at the game's zoom: a box without an
    // owner may open anywhere on the screen, behind the game under some
    // window managers.
    QWidget *owner = dialog_zoom::OwnerWindow(parent);
    QMessageBox box(icon, QStringLiteral("Kapuna"), text, buttons, owner);
    if (buttons & QMessageBox::No)
        box.setDefaultButton(QMessageBox::No);
    dialog_zoom::Apply(&box, zoom);
    return box.exec();
}

} // namespace

MessageBoxMessages::MessageBoxMessages(const DialogZoom &zoom, QWidget *parent)
    : zoom_(zoom)
    , parent_(parent)
{
}

void MessageBoxMessages::Inform(const QString &text)
{
    Show(parent_, zoom_, QMessageBox::Information, text);
}

void MessageBoxMessages::Warn(const QString &text)
{
    Show(parent_, zoom_, QMessageBox::Warning, text);
}

bool MessageBoxMessages::Ask(const QString &question)
{
    return Show(parent_, zoom_, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}
