#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

// The help viewer's window, "Kapuna 도움말": a help file (HTML in UTF-8)
// shown read-only. It runs beside the game and is never modal; Escape,
// Ctrl+W and its "닫기" button close it. A file that cannot be shown is
// reported inside the window, in its own words.
//
// The file is only a document: it loads nothing but the pictures and style
// sheets it names by a relative path inside its own folder, each a regular
// file within safe_file's limits, and all of them together within the
// limits below. Absolute paths, other folders, devices, pipes and remote
// URLs are not loaded (a picture shows as missing). A file whose markup is
// beyond HelpMarkup's caps is not shown: what it would cost to lay out is
// bounded before it is parsed.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    // The shipped help is a few kilobytes; a document this large already
    // takes the viewer most of a second to lay out.
    static constexpr qint64 kMaxFileBytes = 128 * 1024;
    // For all the style sheets a file links, together; their rules count
    // with the file's own towards HelpMarkup::kMaxStyleRules.
    static constexpr qint64 kMaxStyleSheetBytes = 64 * 1024;
    // The pictures of one file: how many files are decoded, and their
    // pixels together (two pictures at safe_file's pixel cap).
    static constexpr int kMaxPictures = 64;
    static constexpr qint64 kMaxPicturePixels = 2 * 2048 * 2048;

    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the file from its start. False, with the window explaining why,
    // when the file is missing, not a regular file, unreadable, too large or
    // of a shape beyond HelpMarkup's caps.
    bool LoadFile(const QString &filePath);

    // The text and the window at `factor` times their design size (the
    // game's zoom), the window never larger than its screen.
    void SetZoom(double factor);

    QTextBrowser *Browser() const { return browser_; }
    QPushButton *CloseButton() const { return closeButton_; }

private:
    enum class Refusal { Unreadable, TooLarge, TooComplex };

    void FollowLink(const QUrl &url);
    void ShowCannotOpen(const QString &filePath, Refusal why);

    QTextBrowser *browser_ = nullptr;
    QPushButton *closeButton_ = nullptr;
};
