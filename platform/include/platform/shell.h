#pragma once

#include <QString>
#include <QUrl>

// The desktop's "open": a web address, a document or a folder, handed to the
// desktop's own handler. Never a command line built from the text.
class Shell
{
public:
    virtual ~Shell() = default;
    // A target the program made itself (its web page, a sheet it saved).
    // Returns whether the desktop took it; the shell itself shows nothing
    // when it will not open, the caller decides whether that matters.
    virtual bool Open(const QString &target) = 0;
    // A link as written in a data file: opened only when LinkTarget accepts
    // it, silently ignored otherwise.
    virtual void OpenLink(const QString &link) = 0;
};

// The documents a link may open inside the program's folder, by suffix.
// Anything the desktop would run or install (a program, a script, a .desktop
// entry) has none of these.
bool IsDocumentSuffix(const QString &suffix);

// What a link from a data file may open, or an empty URL when nothing. The
// text is read as a URL first, as a browser reads what is typed into it:
// spaces and a "%" that starts no escape stand for themselves. Accepted are
// http and https URLs with a host, mailto URLs with an address (kept with
// their subject, body, cc and bcc fields only), and relative references to a
// regular file of a document type inside programFolder (links resolved;
// "\" counts as "/"). Absolute paths, Windows drive paths, "file:" and every
// other scheme (smb:, apt:, javascript:, ...) are refused.
QUrl LinkTarget(const QString &link, const QString &programFolder);

class DesktopShell final : public Shell
{
public:
    // Relative document names are resolved against baseFolder, the program's
    // folder.
    explicit DesktopShell(QString baseFolder);
    bool Open(const QString &target) override;
    void OpenLink(const QString &link) override;

private:
    QString baseFolder_;
};
