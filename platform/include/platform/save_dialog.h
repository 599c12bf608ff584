#pragma once

#include <QString>

#include <memory>

class DialogZoom;
class QFileDialog;
class QWidget;

// Asks the user where to save a file. Behind an interface so that tests
// answer for the user and no dialog ever opens in a test.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;

    // The chosen path, or an empty string when the user cancelled.
    // suggestedPath names the starting folder and file name; filter is a
    // file dialog filter such as "PNG 그림 (*.png)".
    virtual QString AskPath(QWidget *parent, const QString &title, const QString &suggestedPath,
                            const QString &filter) = 0;
};

// The platform's own save dialog, which asks before replacing a file. It
// opens at the game's zoom, asked of `zoom` each time.
class FileSaveDialog final : public SaveDialog
{
public:
    explicit FileSaveDialog(const DialogZoom &zoom);
    QString AskPath(QWidget *parent, const QString &title, const QString &suggestedPath,
                    const QString &filter) override;

    // The dialog AskPath shows, made and laid out at the zoom but not yet
    // shown.
    std::unique_ptr<QFileDialog> MakeDialog(QWidget *parent, const QString &title,
                                            const QString &suggestedPath,
                                            const QString &filter) const;

private:
    const DialogZoom &zoom_;
};

// The one way the program asks for a path to save to: dialog asks, starting
// at suggestedPath, and the chosen path comes back with suggestedPath's
// ending added where the user left it off ("game" becomes "game.png"). An
// empty string when the user cancelled.
QString AskSavePath(SaveDialog &dialog, QWidget *parent, const QString &title,
                    const QString &suggestedPath, const QString &filter);

namespace save_folder {

// The user's Pictures or Documents folder where it exists, else the home
// folder; the temporary folder when there is no usable home folder; never
// the filesystem's root. Always a folder that is there to save into.
QString Pictures();
QString Documents();

} // namespace save_folder
