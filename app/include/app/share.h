#pragma once

#include <QImage>
#include <QObject>

#include <memory>

class Messages;
class PictureButton;
class QAction;
class QMenu;
class QWidget;
class SaveDialog;
class SheetSource;
struct GameState;

// Sharing the result: "그림으로 저장…" saves the whole window as a PNG at
// twice its logical size, and "PDF로 저장…" saves the result sheet. Both are
// actions of the window (so their shortcuts work anywhere in it) and the
// context menu of the print button. Without a save dialog both do nothing.
class Share : public QObject
{
    Q_OBJECT

public:
    Share(QWidget *window, PictureButton *picPrint, GameState &state, const SheetSource &sheet,
          SaveDialog *dialog, Messages &messages);

    void SavePicture();
    void SavePdf();

    QAction *SavePictureAction() const { return savePicture_; }
    QAction *SavePdfAction() const { return savePdf_; }

    // The print button's context menu, made over the window but not yet
    // shown.
    std::unique_ptr<QMenu> MakeMenu() const;

    // The window drawn afresh into an image of twice its logical size, at
    // device pixel ratio 2: lines and text at full resolution rather than a
    // grab scaled up. Whatever has the keys is drawn as it would be without
    // them: a saved picture shows no focus.
    static QImage WindowPicture(QWidget *window);

private:
    void ShowMenu(const QPoint &at);

    QWidget *window_;
    PictureButton *picPrint_;
    GameState &state_;
    const SheetSource &sheet_;
    SaveDialog *dialog_;
    Messages &messages_;
    QAction *savePicture_;
    QAction *savePdf_;
};
