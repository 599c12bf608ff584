#pragma once

#include "game/descent.h"
#include "game/descent_view.h"
#include "print/sheet_source.h"

#include <QObject>
#include <QTimer>

class ColumnControls;
class DrawingSurface;
class ImageList;
class PictureButton;
class QWidget;
class ZoomLevel;
struct Controls;
struct GameState;

// The window as the descent and the result sheet see it: the per-column
// controls, the pen timer Timer1, picOk/picReset and the Escape key preview.
// It owns the column controls and runs the descent.
class Board final : public QObject, public DescentView, public SheetSource
{
    Q_OBJECT

public:
    Board(QWidget *window, const Controls &controls, GameState &state, DrawingSurface &surface,
          const ImageList &images, const ZoomLevel &zoom);
    ~Board() override;

    ColumnControls &Columns() { return *columns_; }
    Descent &Run() { return descent_; }
    QTimer &Timer1() { return timer1_; }
    bool KeyPreview() const { return keyPreview_; }

    // DescentView
    void SetKeyPreview(bool on) override;
    void SetTimerRunning(bool on) override;
    bool TimerRunning() const override;
    void SetConfirmResetEnabled(bool enabled) override;
    void SetStartButtonEnabled(int i, bool enabled) override;
    void MovePen(int i, int x, int y) override;
    void ParkPen(int i, int centreX) override;
    QString PrizeText(int c) const override;
    void SetPrizeText(int c, const QString &text) override;
    void SetPrizeColour(int c, int colour) override;
    // Also what the result sheet prints in row i.
    QString NameText(int i) const override;
    void SetNameText(int i, const QString &text) override;
    void SetNameColour(int i, int colour) override;
    void PathEnded() override;

    // SheetSource
    QPixmap StartPicture(int i) const override;
    QSizeF PenTemplateSizeMm() const override;
    // The round's number once every pen has arrived (never earlier: anyone
    // could rebuild the ladder from it), and whether it is a replay.
    SheetNotes Notes() const override;

    // The round on the board plays a recorded round or a number again.
    void SetReplay(bool replay) { replay_ = replay; }
    bool Replay() const { return replay_; }

signals:
    // A pen has reached its prize.
    void pathEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    PictureButton *picOk_;
    PictureButton *picReset_;
    ColumnControls *columns_;
    const GameState &state_;
    QTimer timer1_;
    Descent descent_;
    bool keyPreview_ = false;
    bool replay_ = false;
};
