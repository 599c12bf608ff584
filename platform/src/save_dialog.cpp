#include "platform/save_dialog.h"

#include "platform/dialog_zoom.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

FileSaveDialog::FileSaveDialog(const DialogZoom &zoom)
    : zoom_(zoom)
{
}

std::unique_ptr<QFileDialog> FileSaveDialog::MakeDialog(QWidget *parent, const QString &title,
                                                       const QString &suggestedPath,
                                                       const QString &filter) const
{
    auto dialog = std::make_unique<QFileDialog>(parent, title, suggestedPath, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->selectFile(suggestedPath);
    // A name typed without its ending gets the suggested one, before the
    // dialog asks whether to replace an existing file of that name.
    dialog->setDefaultSuffix(QFileInfo(suggestedPath).suffix());
    dialog_zoom::Apply(dialog.get(), zoom_);
    return dialog;
}

QString FileSaveDialog::AskPath(QWidget *parent, const QString &title, const QString &suggestedPath,
                                const QString &filter)
{
    const std::unique_ptr<QFileDialog> dialog = MakeDialog(parent, title, suggestedPath, filter);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    return dialog->selectedFiles().constFirst();
}

QString AskSavePath(SaveDialog &dialog, QWidget *parent, const QString &title,
                    const QString &suggestedPath, const QString &filter)
{
    QString path = dialog.AskPath(parent, title, suggestedPath, filter);
    const QString ending = QFileInfo(suggestedPath).suffix();
    // The platform's dialog adds it itself; another dialog, or a name typed
    // where the dialog does not look, may not.
    if (!path.isEmpty() && !ending.isEmpty()
        && QFileInfo(path).suffix().compare(ending, Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + ending;
    return path;
}

namespace save_folder {

namespace {

QString Folder(QStandardPaths::StandardLocation location)
{
    // Without HOME, Qt takes the root for the home folder and would offer
    // "/Pictures".
    const QFileInfo home(QDir::homePath());
    const bool homeUsable = home.isAbsolute() && !home.isRoot() && home.isDir();
    if (!homeUsable)
        return QDir::cleanPath(QDir::tempPath());
    // A fresh account may have no Pictures folder yet: a dialog opened in a
    // folder that is not there would save nowhere, so the home folder then.
    const QFileInfo folder(QStandardPaths::writableLocation(location));
    if (!folder.filePath().isEmpty() && !folder.isRoot() && folder.isDir())
        return QDir::cleanPath(folder.absoluteFilePath());
    return QDir::cleanPath(home.absoluteFilePath());
}

} // namespace

QString Pictures()
{
    return Folder(QStandardPaths::PicturesLocation);
}

QString Documents()
{
    return Folder(QStandardPaths::DocumentsLocation);
}

} // namespace save_folder
