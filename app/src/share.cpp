#include "app/share.h"

#include "platform/dialog_zoom.h"
#include "platform/outcome.h"
#include "platform/picture_file.h"
#include "platform/save_dialog.h"
#include "print/save_results.h"
#include "print/sheet_source.h"
#include "widgets/fonts.h"
#include "widgets/picture_button.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace {

// For as long as it lives, the keys rest with the window itself, and a text
// box's selection is put aside; then both come back. The keys move as a
// menu opening and closing moves them: with the reason a popup gives,
// which the boxes do not take for leaving (the count is not settled, no
// name is selected anew).
class KeysAside
{
public:
    explicit KeysAside(QWidget *window)
        : focused_(window->focusWidget())
    {
        if (focused_ == window || !focused_ || !focused_->hasFocus()) {
            focused_ = nullptr;
            return;
        }
        if (auto *box = qobject_cast<QLineEdit *>(focused_)) {
            start_ = box->selectionStart();
            length_ = int(box->selectedText().size());
            cursorAtStart_ = box->cursorPosition() == start_;
            box->deselect();
        }
        window->setFocus(Qt::PopupFocusReason);
    }

    ~KeysAside()
    {
        if (!focused_)
            return;
        focused_->setFocus(Qt::PopupFocusReason);
        auto *box = qobject_cast<QLineEdit *>(focused_);
        if (box && start_ >= 0 && length_ > 0) {
            if (cursorAtStart_)
                box->setSelection(start_ + length_, -length_);
            else
                box->setSelection(start_, length_);
        }
    }

    KeysAside(const KeysAside &) = delete;
    KeysAside &operator=(const KeysAside &) = delete;

private:
    QWidget *focused_;
    int start_ = -1;
    int length_ = 0;
    bool cursorAtStart_ = false;
};

} // namespace

Share::Share(QWidget *window, PictureButton *picPrint, GameState &state, const SheetSource &sheet,
             SaveDialog *dialog, Messages &messages, const DialogZoom &zoom)
    : QObject(window)
    , window_(window)
    , picPrint_(picPrint)
    , state_(state)
    , sheet_(sheet)
    , dialog_(dialog)
    , messages_(messages)
    , zoom_(zoom)
    , savePicture_(new QAction(QStringLiteral("그림으로 저장…"), window))
    , savePdf_(new QAction(QStringLiteral("PDF로 저장…"), window))
    , history_(new QAction(QStringLiteral("지난 게임…"), window))
    , number_(new QAction(QStringLiteral("게임 번호로 다시 보기…"), window))
{
    savePicture_->setObjectName(QStringLiteral("actSavePicture"));
    savePdf_->setObjectName(QStringLiteral("actSavePdf"));
    history_->setObjectName(QStringLiteral("actHistory"));
    number_->setObjectName(QStringLiteral("actReplayNumber"));
    for (QAction *action : {savePicture_, savePdf_, history_, number_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    connect(savePicture_, &QAction::triggered, this, &Share::SavePicture);
    connect(savePdf_, &QAction::triggered, this, &Share::SavePdf);
    connect(history_, &QAction::triggered, this, &Share::historyRequested);
    connect(number_, &QAction::triggered, this, &Share::numberRequested);

    picPrint_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(picPrint_, &QWidget::customContextMenuRequested, this, &Share::ShowMenu);
}

std::unique_ptr<QMenu> Share::MakeMenu() const
{
    auto menu = std::make_unique<QMenu>(window_);
    menu->addAction(savePicture_);
    menu->addAction(savePdf_);
    menu->addSeparator();
    menu->addAction(history_);
    menu->addAction(number_);
    return menu;
}

void Share::ShowMenu(const QPoint &at)
{
    MakeMenu()->exec(picPrint_->mapToGlobal(at));
    // The menu took the release of the right button that pressed the face.
    picPrint_->SetFace(picPrint_->NormalFace());
}

QImage Share::WindowPicture(QWidget *window, const QString &number, double zoom)
{
    constexpr qreal kRatio = 2;
    QPixmap pixmap(window->size() * kRatio);
    pixmap.setDevicePixelRatio(kRatio);
    pixmap.fill(Qt::white);
    // A focus ring, a text cursor or a selection belongs to the moment, not
    // to the result.
    const KeysAside keysAside(window);
    window->render(&pixmap);
    if (!number.isEmpty()) {
        // Below the prize boxes (they end 498 px down at 100 %).
        QPainter painter(&pixmap);
        painter.setFont(fonts::Gulim(7.5 * zoom, true));
        painter.setPen(QColor(0x14, 0x30, 0x6b));
        const QRectF corner(0, 0, window->width() - 8 * zoom, window->height() - 1 * zoom);
        painter.drawText(corner, Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("게임 번호: %1").arg(number));
    }
    return pixmap.toImage();
}

void Share::SavePicture()
{
    if (!dialog_)
        return;
    // Taken before the dialog covers anything; the game may go on behind it.
    const QImage picture = WindowPicture(window_, sheet_.Notes().number, zoom_.Factor());
    const QString name = QStringLiteral("Kapuna %1.png")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss")));
    const QString path = AskSavePath(*dialog_, window_, QStringLiteral("그림으로 저장"),
                                     QDir(save_folder::Pictures()).filePath(name),
                                     QStringLiteral("PNG 그림 (*.png)"));
    Report(path.isEmpty() ? Outcome{Outcome::Kind::Cancelled} : picture_file::SavePng(picture, path));
}

void Share::SavePdf()
{
    if (dialog_)
        Report(mdlPrint::SaveResultsPdf(state_, sheet_, *dialog_, window_));
}

void Share::Report(const Outcome &outcome)
{
    if (outcome.kind == Outcome::Kind::Saved)
        emit saved();
    Tell(messages_, outcome);
}
