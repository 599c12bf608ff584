#pragma once

#include <QString>

// The desktop's "open": a web address, a document or a folder, handed to the
// desktop's own handler. Never a command line built from the text.
class Shell
{
public:
    virtual ~Shell() = default;
    // Failures are silent: the program shows nothing when a link will not open.
    virtual void Open(const QString &target) = 0;
};

class DesktopShell final : public Shell
{
public:
    // Relative document names are resolved against baseFolder.
    explicit DesktopShell(QString baseFolder);
    void Open(const QString &target) override;

private:
    QString baseFolder_;
};
