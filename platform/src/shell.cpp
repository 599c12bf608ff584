#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

bool IsDocumentSuffix(const QString &suffix)
{
    static const QStringList kDocuments{
        QStringLiteral("html"), QStringLiteral("htm"), QStringLiteral("pdf"),
        QStringLiteral("txt"),  QStringLiteral("png"), QStringLiteral("jpg"),
        QStringLiteral("jpeg"), QStringLiteral("gif")};
    return kDocuments.contains(suffix.toLower());
}

namespace {

// The canonical path of a relative reference inside folder, or nothing.
QString DocumentInside(const QString &relative, const QString &folder)
{
    QString path = relative;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || QDir::isAbsolutePath(path) || folder.isEmpty())
        return {};
    const QString base = QFileInfo(folder).canonicalFilePath();
    const QFileInfo target(QDir(folder).filePath(path));
    const QString canonical = target.canonicalFilePath(); // links resolved
    if (base.isEmpty() || canonical.isEmpty()
        || !canonical.startsWith(base + QLatin1Char('/')))
        return {};
    const QFileInfo real(canonical);
    if (!real.isFile() || !IsDocumentSuffix(real.suffix()))
        return {};
    return canonical;
}

// A mail link with the address and only the fields that fill in a message:
// a mail program may honour others (attach=, to add a file of the user's).
QUrl MailTarget(const QUrl &url)
{
    static const QStringList kFields{QStringLiteral("subject"), QStringLiteral("body"),
                                     QStringLiteral("cc"), QStringLiteral("bcc")};
    if (url.path().isEmpty())
        return {};
    QStringList kept;
    const QString query = url.query(QUrl::FullyEncoded);
    for (const QString &field : query.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const QString name = QUrl::fromPercentEncoding(field.section(QLatin1Char('='), 0, 0).toUtf8());
        if (kFields.contains(name.toLower()))
            kept << field;
    }
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(url.path(QUrl::FullyEncoded), QUrl::StrictMode);
    if (!kept.isEmpty())
        mail.setQuery(kept.join(QLatin1Char('&')), QUrl::StrictMode);
    return mail.isValid() ? mail : QUrl();
}

} // namespace

QUrl LinkTarget(const QString &link, const QString &programFolder)
{
    const QString text = link.trimmed();
    if (text.isEmpty())
        return {};
    const QUrl url(text, QUrl::TolerantMode);
    if (!url.isValid())
        return {};
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? QUrl() : url;
    if (scheme == QLatin1String("mailto"))
        return MailTarget(url);
    // A one-letter scheme is a Windows drive ("C:\..."), an absolute path.
    if (!scheme.isEmpty() || !url.authority().isEmpty())
        return {};
    const QString file = DocumentInside(url.path(QUrl::FullyDecoded), programFolder);
    if (file.isEmpty())
        return {};
    QUrl local = QUrl::fromLocalFile(file);
    if (url.hasFragment())
        local.setFragment(url.fragment(QUrl::FullyDecoded));
    return local;
}

DesktopShell::DesktopShell(QString baseFolder)
    : baseFolder_(std::move(baseFolder))
{
}

bool DesktopShell::Open(const QString &target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return false;
    const QUrl url(text, QUrl::StrictMode);
    // A scheme of one letter is a Windows drive ("C:\..."), not a URL.
    if (url.isValid() && url.scheme().size() > 1)
        return QDesktopServices::openUrl(url);
    const QString path = QDir::isAbsolutePath(text) ? text : QDir(baseFolder_).filePath(text);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopShell::OpenLink(const QString &link)
{
    const QUrl url = LinkTarget(link, baseFolder_);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}
