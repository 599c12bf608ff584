#include "app/main_window.h"

#include "app/board.h"
#include "app/column_controls.h"
#include "app/controls.h"
#include "app/round_history.h"
#include "app/run_focus.h"
#include "app/share.h"
#include "app/shortcuts.h"
#include "app/zoom.h"
#include "extras/about_box.h"
#include "extras/help_viewer.h"
#include "extras/vel_gif.h"
#include "game/geometry.h"
#include "game/ladder.h"
#include "game/round.h"
#include "game/whole_number.h"
#include "platform/dialog_zoom.h"
#include "platform/folder_record.h"
#include "platform/outcome.h"
#include "platform/settings_store.h"
#include "print/print_results.h"
#include "setup/grapheme_limit.h"
#include "setup/member_count.h"
#include "setup/name_box_focus.h"
#include "setup/prize_list.h"
#include "widgets/faces.h"
#include "widgets/fitting_item_delegate.h"
#include "widgets/fonts.h"
#include "widgets/picture_button.h"
#include "widgets/text_fit.h"
#include "widgets/zoom_level.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

constexpr QSize kClientSize(792, 512);

qreal ScreenRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

} // namespace

MainWindow::MainWindow(const Services &services, ZoomLevel &zoom, QWidget *parent)
    : QWidget(parent)
    , services_(services)
    , zoom_(zoom)
    , images_(ScreenRatio(), zoom)
    , drawing_(kClientSize, ScreenRatio(), zoom)
    , backdrop_(images_, drawing_, zoom)
{
    setObjectName(QStringLiteral("frmKapuna"));
    setWindowTitle(QStringLiteral("Kapuna"));
    setWindowIcon(images_.AppIcon());
    setFixedSize(units::ScaledPx(kClientSize, zoom_.Current()));
    // Children take this font from their first moment: a line edit lays out
    // its empty text as it is built, and with the platform's default font
    // that would load a second typeface just to be replaced at once.
    setFont(fonts::Gulim(8.25));
    // paintEvent covers every pixel: the background picture, or the light
    // grey back colour should the picture be missing.
    setAttribute(Qt::WA_OpaquePaintEvent);

    drawing_.SetDirtyHandler([this](const QRect &r) { update(r); });
    tmrUpdown_->setObjectName(QStringLiteral("tmrUpdown"));
    tmrUpdown_->setInterval(200);

    ui_ = BuildControls(this, images_, zoom_, services_.programFolder);
    board_ = new Board(this, ui_, state_, drawing_, images_, zoom_);
    Wire();
    BuildTabOrder();
    new zoom::Keys(this, [this](int direction) { StepZoom(direction); });
    dialog_zoom::ApplyToPopups(this, zoom_);
    Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::Wire()
{
    VelGif *banner = ui_.VelGif1;
    connect(banner, &VelGif::Cycle, this, [this, banner] {
        AdvanceBanner(banner_, *banner, BannerListPath(services_.programFolder));
    });
    connect(banner, &VelGif::Click, this, [this, banner] {
        if (services_.shell)
            FollowBannerLink(banner_, *banner, *services_.shell);
    });

    GraphemeLimit::Apply(ui_.txtInput, 5);
    TextFit::Attach(ui_.txtInput, DesignFont(&Controls::txtInput), zoom_);
    FittingItemDelegate::Install(ui_.lstBul);
    auto *runFocus = new RunFocus(this);
    connect(&board_->Columns(), &ColumnControls::startClicked, this,
            [this, runFocus](int i) { runFocus->Park(board_->Columns().cmdStart(i)); });

    new MemberCount(state_, drawing_, ui_.txtMember, {ui_.picUpdown0, ui_.picUpdown1}, tmrUpdown_,
                    this);
    new PrizeList({ui_.txtInput, ui_.lstBul, ui_.picAdd, ui_.picDel, ui_.picClear, ui_.txtMember},
                  services_.messages, this);

    connect(ui_.picOk, &PictureButton::clicked, this, &MainWindow::picOk_Click);
    connect(ui_.picReset, &PictureButton::clicked, this, &MainWindow::picReset_Click);
    connect(ui_.picEnd, &PictureButton::clicked, this, &MainWindow::picEnd_Click);
    connect(ui_.picHelp, &PictureButton::clicked, this, &MainWindow::picHelp_Click);
    connect(ui_.picAbout, &PictureButton::clicked, this, &MainWindow::picAbout_Click);
    connect(ui_.picPrint, &PictureButton::clicked, this, &MainWindow::picPrint_Click);
    connect(ui_.picStart0, &PictureButton::clicked, this, [this] { SelectStartMode(0); });
    connect(ui_.picStart1, &PictureButton::clicked, this, [this] { SelectStartMode(1); });

    auto *share = new Share(this, ui_.picPrint, state_, *board_, services_.saveDialog,
                            services_.messages, zoom_);
    shortcuts_ = new Shortcuts(this, ui_, board_->Columns(), *share);

    history_ = new RoundHistory(this, state_, *board_, images_, services_, zoom_,
                                [this](const ReplayPlan &plan) { return ReplayRound(plan); });
    connect(board_, &Board::pathEnded, history_, &RoundHistory::PathEnded);
    connect(share, &Share::saved, history_, &RoundHistory::Saved);
    connect(share, &Share::historyRequested, history_, &RoundHistory::ShowWindow);
    connect(share, &Share::numberRequested, history_, &RoundHistory::ReplayFromNumber);
}

void MainWindow::BuildTabOrder()
{
    tabOrder_ = {ui_.txtInput, ui_.lstBul, ui_.txtMember};
    for (int i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void MainWindow::InsertInTabOrder(QWidget *widget, int position)
{
    tabOrder_.removeIf([](const QPointer<QWidget> &w) { return w.isNull(); });
    tabOrder_.insert(std::clamp(position, 0, int(tabOrder_.size())), widget);
    for (int i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
}

void MainWindow::Load()
{
    ui_.txtMember->setText(QStringLiteral("2"));
    SelectStartMode(1);
    StartBanner(banner_, *ui_.VelGif1, BannerListPath(services_.programFolder));
    // Without an entry to show, an empty strip and its shadow would only
    // look broken.
    ui_.VelGif1->setVisible(banner_.gBannerCount > 0);
    ui_.Picture1->setVisible(banner_.gBannerCount > 0);
    if (services_.settings)
        RecordProgramFolder(*services_.settings, services_.programFolder);
    CentreOnScreen();
    DrawColumns(state_, drawing_, MemberCountFromText());
    ui_.txtInput->setFocus();
}

void MainWindow::picHelp_Click()
{
    if (services_.helpViewer)
        ShowProgramHelp(*services_.helpViewer, services_.programFolder);
}

void MainWindow::picAbout_Click()
{
    if (services_.shell)
        ShowAboutBox(this, *services_.shell, images_, zoom_);
}

void MainWindow::picPrint_Click()
{
    if (!services_.printers)
        return;
    const Outcome outcome = mdlPrint::PrintResults(state_, *board_, *services_.printers);
    history_->Printed(outcome);
    Tell(services_.messages, outcome);
}

void MainWindow::CentreOnScreen()
{
    const QScreen *on = screen();
    if (!on)
        return;
    const QRect area = on->geometry();
    const QMargins frame = zoom::FrameMargins(*this);
    // While a window manager is still framing the window, Qt may report a
    // frame smaller than the window (a side below zero): the window stays
    // where it is until the frame is known.
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0)
        return;
    centredFor_ = frame;
    const QSize whole = size().grownBy(frame);
    move(area.x() + (area.width() - whole.width()) / 2,
         area.y() + (area.height() - whole.height()) / 2);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // Centred now for the frame known now (none without a window manager),
    // and again whenever the frame known changes: a window manager frames
    // the window after it is shown, and Qt learns the frame's size later
    // still, with whichever event of the window comes next. A move by the
    // user leaves the frame as it was, and the window where the user put it.
    CentreOnScreen();
    if (QWindow *handle = windowHandle())
        handle->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Cheap to ask: Qt keeps the frame it learned.
    if (watched == windowHandle() && zoom::FrameMargins(*this) != centredFor_)
        CentreOnScreen();
    return QWidget::eventFilter(watched, event);
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    // The screen's own ratio, which a move to another screen changes; a
    // picture of the window rendered at another ratio leaves it alone.
    drawing_.SetDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    backdrop_.Paint(painter, event->region());
}

units::Zoom MainWindow::Zoom() const
{
    return zoom_.Current();
}

void MainWindow::SetZoom(units::Zoom zoom)
{
    if (zoom == zoom_.Current())
        return;
    // Whatever draws asks the zoom when it paints (the pictures, the lines,
    // the background, the banner, the boxes this window opens); what was
    // placed at the old zoom is placed again: the table's controls first,
    // then the columns, whose sizes are the templates'.
    zoom_.Set(zoom);
    setFixedSize(units::ScaledPx(kClientSize, zoom));
    PlaceControls(ui_, zoom);
    board_->Columns().Relayout();
    // Before the window is first shown too: a zoom restored at start-up
    // must not open the larger window where the smaller one was centred.
    CentreOnScreen();
    update();
}

int MainWindow::LargestZoom() const
{
    const QScreen *on = screen();
    if (!on)
        return zoom::kSmallest;
    return zoom::Largest(kClientSize, zoom::FrameMargins(*this), on->availableGeometry().size());
}

void MainWindow::StepZoom(int direction)
{
    const units::Zoom next = zoom::Stepped(zoom_.Current(), direction, LargestZoom());
    if (next == zoom_.Current())
        return;
    SetZoom(next);
    emit zoomChosen(next);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window ends the program, even with the help viewer open;
    // a round somebody ran goes into the history first.
    history_->Left();
    event->accept();
    QCoreApplication::exit(0);
}

void MainWindow::picEnd_Click()
{
    // Ends at once: nothing is asked; a running descent stops where it is,
    // and a round somebody ran goes into the history as unfinished.
    board_->Timer1().stop();
    history_->Left();
    hide();
    QCoreApplication::exit(0);
}

void MainWindow::SetSetupControlsEnabled(bool enabled)
{
    const auto set = [enabled](PictureButton *b, int normal, int greyed) {
        b->setEnabled(enabled);
        b->SetFace(enabled ? normal : greyed);
    };
    set(ui_.picUpdown0, face::Up, face::UpGrey);
    set(ui_.picUpdown1, face::Down, face::DownGrey);
    ui_.txtMember->setEnabled(enabled);
    ui_.txtInput->setEnabled(enabled);
    set(ui_.picAdd, face::Add, face::AddGrey);
    ui_.lstBul->setEnabled(enabled);
    set(ui_.picDel, face::Delete, face::DeleteGrey);
    set(ui_.picClear, face::Clear, face::ClearGrey);
    if (state_.gManualStart) {
        set(ui_.picStart0, face::AllAtOnceOff, face::AllAtOnceOffGrey);
        set(ui_.picStart1, face::OneByOneOn, face::OneByOneOnGrey);
    } else {
        set(ui_.picStart0, face::AllAtOnceOn, face::AllAtOnceOnGrey);
        set(ui_.picStart1, face::OneByOneOff, face::OneByOneOffGrey);
    }
}

// The count box holds 2..12 whenever confirm, Reset or start-up read it;
// the clamp keeps the arrays and the layout sane even if it somehow does not.
std::int16_t MainWindow::MemberCountFromText() const
{
    return std::clamp<std::int16_t>(
        whole_number::ToInt16(ui_.txtMember->text())
            .value_or(geometry::kFewestPlayers),
        geometry::kFewestPlayers, geometry::kMostPlayers);
}

void MainWindow::picOk_Click()
{
    history_->Left();
    board_->SetKeyPreview(false);
    ColumnControls &columns = board_->Columns();
    if (!state_.gLadderCleared)
        columns.Destroy(state_.gMemberCount);
    SetSetupControlsEnabled(false);
    ui_.picReset->SetFace(face::Reset);

    QStringList prizes;
    const QListWidget *list = ui_.lstBul;
    for (int row = 0; row < list->count(); ++row)
        prizes << list->item(row)->text();
    const std::int16_t n = MemberCountFromText();
    const bool replay = replaySeed_.has_value();
    const std::uint64_t seed = replay ? *std::exchange(replaySeed_, std::nullopt) : services_.roundSeed();
    const std::vector<std::int16_t> pictures = ConfirmLadder(state_, drawing_, n, prizes, seed);
    history_->Began(replay);
    board_->SetReplay(replay);
    if (!replay)
        setWindowTitle(QStringLiteral("Kapuna"));
    for (int i = 1; i <= n; ++i) {
        const int x = geometry::ColumnX(state_.gLadderLeft, i);
        QLineEdit *name = columns.Create(i, x, pictures[std::size_t(i - 1)], state_.gManualStart);
        InsertInTabOrder(name, i);
        NameBoxFocus::Attach(name);
        GraphemeLimit::Apply(name, 4);
        TextFit::Attach(name, DesignFont(&Controls::txtName0), zoom_);
        TextFit::Attach(columns.txtbul(i), DesignFont(&Controls::txtbul0), zoom_);
    }
    columns.cmdStart(1)->setEnabled(true);
    shortcuts_->LabelStartButtons();
}

void MainWindow::picReset_Click()
{
    history_->Left();
    board_->SetReplay(false);
    setWindowTitle(QStringLiteral("Kapuna"));
    board_->SetKeyPreview(false);
    if (ResetLadder(state_, drawing_, MemberCountFromText()))
        board_->Columns().Destroy(state_.gMemberCount);
    SetSetupControlsEnabled(true);
}

void MainWindow::SelectStartMode(int index)
{
    if (index != 0 && index != 1)
        return;
    state_.gManualStart = index == 1;
    ui_.picStart0->SetFace(index == 0 ? face::AllAtOnceOn : face::AllAtOnceOff);
    ui_.picStart1->SetFace(index == 1 ? face::OneByOneOn : face::OneByOneOff);
    ui_.picStart0->SetChecked(index == 0);
    ui_.picStart1->SetChecked(index == 1);
}

bool MainWindow::ReplayRound(const ReplayPlan &plan)
{
    if (!ui_.picOk->isEnabled())
        return false;
    ui_.txtMember->setText(QString::number(plan.players));
    ui_.lstBul->clear();
    ui_.lstBul->addItems(plan.prizes);
    replaySeed_ = plan.seed;
    picOk_Click();
    for (int i = 1; i <= std::min<int>(plan.names.size(), state_.gMemberCount); ++i)
        board_->SetNameText(i, plan.names.at(i - 1));
    setWindowTitle(QStringLiteral("Kapuna - 다시 보기 %1").arg(plan.number));
    return true;
}
