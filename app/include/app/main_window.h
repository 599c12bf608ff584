#pragma once

#include "app/backdrop.h"
#include "app/controls.h"
#include "app/draw_layer.h"
#include "app/services.h"
#include "extras/banner_rotation.h"
#include "game/game_state.h"
#include "widgets/image_list.h"
#include "widgets/units.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <optional>

class Board;
class RoundHistory;
class Shortcuts;
struct ReplayPlan;
class ZoomLevel;

// frmKapuna: the one window of the game. It builds its controls from the
// table in app/controls.h, wires the handlers and hands the rules what they
// need; it reaches each control through its typed member.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    // `zoom` is the game's one zoom, which the boxes the window opens are
    // handed too; the window changes it (SetZoom) and must not outlive it.
    MainWindow(const Services &services, ZoomLevel &zoom, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The design-time controls, built from the table.
    const Controls &Ui() const { return ui_; }
    GameState &State() { return state_; }
    BannerState &Banner() { return banner_; }
    DrawLayer &Drawing() { return drawing_; }
    Board &Play() { return *board_; }
    const ImageList &Images() const { return images_; }

    // The game's zoom: every control, picture, text and line at that many
    // times its design size, the window too, centred on its screen. The
    // game itself is untouched.
    units::Zoom Zoom() const;
    void SetZoom(units::Zoom zoom);
    // One step up (+1) or down (-1), held within what fits the screen; 0
    // goes back to 100 %. A change is told through zoomChosen.
    void StepZoom(int direction);
    // The largest zoom at which the window fits the screen it is on.
    int LargestZoom() const;

    // A recorded round, or the round of a game number, set up and confirmed
    // again: its count, prizes, seed and names; the window's title says it
    // is a replay. False while a pen is on its way (confirm is locked).
    bool ReplayRound(const ReplayPlan &plan);
    RoundHistory &History() { return *history_; }

signals:
    void zoomChosen(units::Zoom zoom);

public:

    // The handlers, callable as the events would call them.
    void picOk_Click();
    void picReset_Click();
    void SelectStartMode(int index);
    void picEnd_Click();
    void picHelp_Click();
    void picAbout_Click();
    void picPrint_Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Wire();
    void BuildTabOrder();
    void InsertInTabOrder(QWidget *widget, int position);
    void Load();
    void CentreOnScreen();
    void SetSetupControlsEnabled(bool enabled);
    std::int16_t MemberCountFromText() const;

    Services services_;
    ZoomLevel &zoom_;
    ImageList images_;
    GameState state_;
    BannerState banner_;
    DrawLayer drawing_;
    QTimer *tmrUpdown_ = new QTimer(this);
    Controls ui_;
    Board *board_ = nullptr;
    bool shownOnce_ = false;
    // The frame the window was last centred for.
    QMargins centredFor_;
    Shortcuts *shortcuts_ = nullptr;
    RoundHistory *history_ = nullptr;
    // The seed of the next confirm when it replays a round.
    std::optional<std::uint64_t> replaySeed_;
    Backdrop backdrop_;
    // Focus chain; destroyed name boxes drop out as null pointers.
    QList<QPointer<QWidget>> tabOrder_;
};
