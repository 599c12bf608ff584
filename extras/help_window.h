#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

// The help viewer's window, "Kapuna 도움말": a help file (HTML in UTF-8)
// shown read-only. It runs beside the game and is never modal. A file that
// cannot be shown is reported inside the window, in its own words.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // No help file comes near this; anything larger is not one.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the file from its start. False, with the window explaining why,
    // when the file is missing, unreadable or too large.
    bool LoadFile(const QString &filePath);

    QTextBrowser *Browser() const { return browser_; }

private:
    void FollowLink(const QUrl &url);
    void ShowCannotOpen(const QString &filePath);

    QTextBrowser *browser_ = nullptr;
};
