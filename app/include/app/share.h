#pragma once

#include "platform/outcome.h"

#include <QImage>
#include <QObject>

class DialogZoom;
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
// context menu of the print button, which also opens the history of rounds
// ("지난 게임…") and replays a round by its number ("게임 번호로 다시
// 보기…"); those two only ask for it (historyRequested, numberRequested).
// Without a save dialog the two saves do nothing.
class Share : public QObject
{
    Q_OBJECT

public:
    Share(QWidget *window, PictureButton *picPrint, GameState &state, const SheetSource &sheet,
          SaveDialog *dialog, Messages &messages, const DialogZoom &zoom);

    void SavePicture();
    void SavePdf();

    QAction *SavePictureAction() const { return savePicture_; }
    QAction *SavePdfAction() const { return savePdf_; }
    QAction *HistoryAction() const { return history_; }
    QAction *NumberAction() const { return number_; }

    // The print button's context menu, made over the window but not yet
    // shown.
    std::unique_ptr<QMenu> MakeMenu() const;

    // The window drawn afresh into an image of twice its logical size, at
    // device pixel ratio 2: lines and text at full resolution rather than a
    // grab scaled up. Whatever has the keys is drawn as it would be without
    // them: a saved picture shows no focus. A finished round's `number` is
    // written into its lower right corner (at `zoom` times its design
    // size), where the window has nothing: the picture then says which
    // ladder it shows.
    static QImage WindowPicture(QWidget *window, const QString &number = {}, double zoom = 1.0);

signals:
    // The picture or the sheet was saved as a file.
    void saved();
    void historyRequested();
    void numberRequested();

private:
    void ShowMenu(const QPoint &at);
    void Report(const Outcome &outcome);

    QWidget *window_;
    PictureButton *picPrint_;
    GameState &state_;
    const SheetSource &sheet_;
    SaveDialog *dialog_;
    Messages &messages_;
    const DialogZoom &zoom_;
    QAction *savePicture_;
    QAction *savePdf_;
    QAction *history_;
    QAction *number_;
};
