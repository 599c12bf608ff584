#include "platform/text_prompt.h"

#include "platform/dialog_zoom.h"

#include <QInputDialog>

InputDialogPrompt::InputDialogPrompt(const DialogZoom &zoom)
    : zoom_(zoom)
{
}

std::optional<QString> InputDialogPrompt::AskText(QWidget *parent, const QString &title,
                                                  const QString &label)
{
    QInputDialog dialog(dialog_zoom::OwnerWindow(parent));
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setOkButtonText(QStringLiteral("확인"));
    dialog.setCancelButtonText(QStringLiteral("취소"));
    dialog_zoom::Apply(&dialog, zoom_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}
