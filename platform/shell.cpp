#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

DesktopShell::DesktopShell(QString baseFolder)
    : baseFolder_(std::move(baseFolder))
{
}

void DesktopShell::Open(const QString &target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return;
    const QUrl url(text, QUrl::StrictMode);
    // A scheme of one letter is a Windows drive ("C:\..."), not a URL.
    if (url.isValid() && url.scheme().size() > 1) {
        QDesktopServices::openUrl(url);
        return;
    }
    const QString path = QDir::isAbsolutePath(text) ? text : QDir(baseFolder_).filePath(text);
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
