#include "platform/messages.h"

#include <QMessageBox>

MessageBoxMessages::MessageBoxMessages(QWidget *parent)
    : parent_(parent)
{
}

void MessageBoxMessages::Inform(const QString &text)
{
    QMessageBox::information(parent_, QStringLiteral("Kapuna"), text, QMessageBox::Ok);
}
