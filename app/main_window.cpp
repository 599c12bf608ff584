#include "app/main_window.h"

#include "app/fonts.h"
#include "app/picture_button.h"
#include "app/token_button.h"
#include "app/units.h"
#include "extras/about_box.h"
#include "extras/banner_rotation.h"
#include "extras/vel_gif.h"
#include "game/geometry.h"
#include "game/ladder.h"
#include "game/palette.h"
#include "game/whole_number.h"
#include "platform/folder_record.h"
#include "platform/help_viewer.h"
#include "platform/qt_printer.h"
#include "print/print_button.h"
#include "setup/member_count.h"
#include "setup/name_box_focus.h"
#include "setup/prize_list.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

using units::TwipRect;

namespace {

constexpr QSize kClientSize(792, 512);

qreal ScreenRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->devicePixelRatio() : 1.0;
}

void SetBackground(QWidget *widget, QRgb colour, QPalette::ColorRole role = QPalette::Window)
{
    QPalette p = widget->palette();
    p.setColor(role, QColor::fromRgb(colour));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

// A player's colour on a name or prize box; the text turns white on the
// darker colours so that the name and the prize stay readable.
void SetBoxColour(QLineEdit *box, int colour)
{
    const QColor back = QColor::fromRgb(palette::Rgb(colour));
    QPalette p = box->palette();
    p.setColor(QPalette::Base, back);
    const double luminance = 0.299 * back.redF() + 0.587 * back.greenF() + 0.114 * back.blueF();
    p.setColor(QPalette::Text, luminance < 0.5 ? Qt::white : Qt::black);
    box->setPalette(p);
}

} // namespace

MainWindow::MainWindow(const Services &services, QWidget *parent)
    : QWidget(parent)
    , services_(services)
    , images_(ScreenRatio())
    , drawing_(kClientSize, ScreenRatio())
    , descent_(state_, *this, drawing_)
{
    setObjectName(QStringLiteral("frmKapuna"));
    setWindowTitle(QStringLiteral("Kapuna"));
    setWindowIcon(images_.AppIcon());
    setFixedSize(kClientSize);
    // paintEvent covers every pixel: the background picture, or the light
    // grey back colour should the picture be missing.
    setAttribute(Qt::WA_OpaquePaintEvent);

    drawing_.SetDirtyHandler([this](const QRect &r) { update(r); });

    timer1_.setTimerType(Qt::PreciseTimer);
    timer1_.setInterval(0);
    connect(&timer1_, &QTimer::timeout, this, [this] { descent_.DescentStep(); });
    tmrUpdown_.setInterval(200);

    BuildControls();
    BuildTabOrder();
    Load();
}

MainWindow::~MainWindow()
{
    SetKeyPreview(false);
}

void MainWindow::BuildControls()
{
    const QFont small = fonts::Gulim(8.25);

    txtInput_ = new QLineEdit(this);
    txtInput_->setObjectName(QStringLiteral("txtInput"));
    txtInput_->setGeometry(TwipRect(420, 2010, 825, 195));
    txtInput_->setMaxLength(5);
    txtInput_->setFrame(false);
    txtInput_->setFont(small);
    txtInput_->setAccessibleName(tr("당첨내역 입력"));

    lstBul_ = new QListWidget(this);
    lstBul_->setObjectName(QStringLiteral("lstBul"));
    lstBul_->setGeometry(TwipRect(360, 2490, 885, 2010));
    lstBul_->setFont(small);
    lstBul_->setSortingEnabled(false);
    lstBul_->setAccessibleName(tr("당첨내역 목록"));

    txtMember_ = new QLineEdit(this);
    txtMember_->setObjectName(QStringLiteral("txtMember"));
    txtMember_->setGeometry(TwipRect(1380, 480, 270, 255));
    txtMember_->setMaxLength(2);
    txtMember_->setAlignment(Qt::AlignCenter);
    txtMember_->setFrame(false);
    txtMember_->setFont(fonts::Gulim(9.75));
    SetBackground(txtMember_, 0xffffffff, QPalette::Base);
    txtMember_->setAccessibleName(tr("게임인원"));

    // Templates of the per-column arrays: placed, never shown.
    cmdStart0_ = new TokenButton(this);
    cmdStart0_->setObjectName(QStringLiteral("cmdStart0"));
    cmdStart0_->setGeometry(TwipRect(3000, 1500, 585, 555));
    cmdStart0_->setIconSize(QSize(32, 32));
    cmdStart0_->SetBackColour(QColor(0xc0, 0xff, 0xff));
    cmdStart0_->hide();

    txtName0_ = new QLineEdit(this);
    txtName0_->setObjectName(QStringLiteral("txtName0"));
    txtName0_->setGeometry(TwipRect(2880, 2580, 735, 270));
    txtName0_->setAlignment(Qt::AlignCenter);
    txtName0_->setFont(small);
    txtName0_->hide();

    txtbul0_ = new QLineEdit(this);
    txtbul0_->setObjectName(QStringLiteral("txtbul0"));
    txtbul0_->setGeometry(TwipRect(3120, 4680, 735, 270));
    txtbul0_->setAlignment(Qt::AlignCenter);
    txtbul0_->setFont(small);
    txtbul0_->hide();

    imgPen0_ = new QLabel(this);
    imgPen0_->setObjectName(QStringLiteral("imgPen0"));
    imgPen0_->setGeometry(TwipRect(3720, 1590, 480, 480));
    SetBackground(imgPen0_, 0xffffffff);
    imgPen0_->hide();

    auto button = [this](const char *name, QRect where, int normal, int pressed,
                         const QString &accessible) {
        auto *b = new PictureButton(images_, normal, pressed, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(where);
        b->setAccessibleName(accessible);
        return b;
    };
    picUpdown_[0] = button("picUpdown0", TwipRect(1770, 300, 285, 315), 13, 23, tr("인원 늘리기"));
    picAdd_ = button("picAdd", TwipRect(1380, 1890, 345, 435), 15, 25, tr("추가"));
    picDel_ = button("picDel", TwipRect(1320, 2640, 720, 780), 16, 26, tr("삭제"));
    picClear_ = button("picClear", TwipRect(1320, 3540, 690, 750), 17, 27, tr("전체삭제"));
    picOk_ = button("picOk", TwipRect(1230, 6570, 885, 885), 18, 28, tr("게임시작"));
    picReset_ = button("picReset", TwipRect(210, 6570, 885, 885), 19, 29, tr("게임재설정"));
    picEnd_ = button("picEnd", TwipRect(11070, 180, 720, 720), 22, 32, tr("종료"));
    picEnd_->SetResizesToPicture(true);
    picAbout_ = button("picAbout", TwipRect(9570, 180, 720, 690), 20, 30, tr("Kapuna 정보"));
    picHelp_ = button("picHelp", TwipRect(10320, 150, 735, 750), 21, 31, tr("도움말"));
    picHelp_->SetResizesToPicture(true);
    picUpdown_[1] = button("picUpdown1", TwipRect(1770, 630, 315, 330), 14, 24, tr("인원 줄이기"));
    picUpdown_[1]->SetResizesToPicture(true);
    picStart_[0] = button("picStart0", TwipRect(540, 5430, 1185, 285), 43, 0, tr("전체시작"));
    picStart_[1] = button("picStart1", TwipRect(510, 5760, 1170, 270), 40, 0, tr("선택시작"));

    picture1_ = new QWidget(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    // The banner's navy shadow: its size, 60 twips right and down.
    picture1_->setGeometry(TwipRect(3150, 240, 5115, 735));
    SetBackground(picture1_, 0xff000080);

    picPrint_ = button("picPrint", TwipRect(8790, 180, 750, 720), 48, 49, tr("게임 결과 인쇄"));

    velGif1_ = new VelGif(services_.programFolder, this);
    velGif1_->setObjectName(QStringLiteral("VelGif1"));
    velGif1_->setGeometry(TwipRect(3090, 180, 5115, 735));
    connect(velGif1_, &VelGif::Cycle, this, [this] {
        AdvanceBanner(state_, *velGif1_, BannerListPath(services_.programFolder));
    });
    connect(velGif1_, &VelGif::Click, this, [this] {
        if (services_.shell)
            FollowBannerLink(state_, *velGif1_, *services_.shell);
    });

    picAbout_->setToolTip(QStringLiteral("Kapuna 정보"));
    picHelp_->setToolTip(QStringLiteral("도움말"));
    picEnd_->setToolTip(QStringLiteral("종료"));
    picPrint_->setToolTip(QStringLiteral("게임 결과 인쇄"));

    columns_ = new ColumnControls(this, images_, {cmdStart0_, txtName0_, txtbul0_, imgPen0_});
    connect(columns_, &ColumnControls::startClicked, this,
            [this](int i) { descent_.StartDescent(std::int16_t(i)); });

    memberCount_ = new MemberCount(state_, drawing_, txtMember_, picUpdown_, &tmrUpdown_, this);
    prizeList_ = new PrizeList({txtInput_, lstBul_, picAdd_, picDel_, picClear_, txtMember_},
                               *services_.messages, this);

    connect(picOk_, &PictureButton::clicked, this, &MainWindow::picOk_Click);
    connect(picReset_, &PictureButton::clicked, this, &MainWindow::picReset_Click);
    connect(picEnd_, &PictureButton::clicked, this, &MainWindow::picEnd_Click);
    connect(picHelp_, &PictureButton::clicked, this, &MainWindow::picHelp_Click);
    connect(picAbout_, &PictureButton::clicked, this, &MainWindow::picAbout_Click);
    connect(picPrint_, &PictureButton::clicked, this, &MainWindow::picPrint_Click);
    connect(picStart_[0], &PictureButton::clicked, this, [this] { SelectStartMode(0); });
    connect(picStart_[1], &PictureButton::clicked, this, [this] { SelectStartMode(1); });
}

void MainWindow::BuildTabOrder()
{
    // Picture buttons are worked with the mouse; the text boxes and the list
    // take the focus in the window's tab order.
    for (PictureButton *b : {picUpdown_[0], picUpdown_[1], picAdd_, picDel_, picClear_, picOk_,
                             picReset_, picEnd_, picAbout_, picHelp_, picStart_[0], picStart_[1],
                             picPrint_})
        b->setFocusPolicy(Qt::NoFocus);
    tabOrder_ = {txtInput_, lstBul_, txtMember_};
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
    txtMember_->setText(QStringLiteral("2"));
    state_.gManualStart = true;
    StartBanner();
    RecordProgramFolder();
    CentreOnScreen();
    DrawColumns(state_, drawing_, MemberCountFromText());
    txtInput_->setFocus();
}

void MainWindow::StartBanner()
{
    ::StartBanner(state_, *velGif1_, BannerListPath(services_.programFolder));
}

void MainWindow::RecordProgramFolder()
{
    if (services_.registry)
        ::RecordProgramFolder(*services_.registry, services_.programFolder);
}

void MainWindow::picHelp_Click()
{
    if (services_.helpViewer)
        ShowProgramHelp(*services_.helpViewer, services_.programFolder);
}

void MainWindow::picAbout_Click()
{
    if (services_.shell)
        ShowAboutBox(this, *services_.shell, images_);
}

void MainWindow::picPrint_Click()
{
    if (services_.printers && services_.messages)
        mdlPrint::PrintResults(picDel_->isEnabled(), state_, *this, *services_.printers,
                               *services_.messages);
}

QPixmap MainWindow::StartPicture(int i) const
{
    const QPushButton *start = columns_->StartButton(i);
    // The icon also holds the picture drawn for paper.
    return start ? start->icon().pixmap(start->iconSize(), ImageList::kPrintScale) : QPixmap();
}

QSizeF MainWindow::PenTemplateSizeMm() const
{
    // The size the pictures print at, so that they sit exactly centred.
    return QtPrinter::PictureSizeMm(imgPen0_->size());
}

void MainWindow::CentreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize frame = frameGeometry().size().expandedTo(size());
    move(area.x() + (area.width() - frame.width()) / 2,
         area.y() + (area.height() - frame.height()) / 2);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only now does the window know the size of its frame; centre the
    // whole window, title bar included, once.
    if (!shownOnce_) {
        shownOnce_ = true;
        CentreOnScreen();
    }
}

void MainWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect region = event->rect();
    // The background picture covers the whole client area; the grey back
    // colour shows only if it failed to load.
    if (images_.Background().isNull())
        painter.fillRect(region, QColor(0xc0, 0xc0, 0xc0));
    painter.drawPixmap(region, images_.Background(),
                       QRectF(QPointF(region.topLeft()) * images_.Background().devicePixelRatio(),
                              QSizeF(region.size()) * images_.Background().devicePixelRatio())
                           .toRect());
    drawing_.Paint(painter, region);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window ends the program, even with the help viewer open.
    event->accept();
    QCoreApplication::exit(0);
}

void MainWindow::picEnd_Click()
{
    // Ends at once: nothing is asked and nothing is saved; a running descent
    // stops where it is.
    timer1_.stop();
    hide();
    QCoreApplication::exit(0);
}

void MainWindow::SetSetupControlsEnabled(bool enabled)
{
    const auto face = [enabled](PictureButton *b, int normal, int disabled) {
        b->setEnabled(enabled);
        b->SetFace(enabled ? normal : disabled);
    };
    face(picUpdown_[0], 13, 33);
    face(picUpdown_[1], 14, 34);
    txtMember_->setEnabled(enabled);
    txtInput_->setEnabled(enabled);
    face(picAdd_, 15, 35);
    lstBul_->setEnabled(enabled);
    face(picDel_, 16, 36);
    face(picClear_, 17, 37);
    const bool manual = state_.gManualStart;
    face(picStart_[0], manual ? 43 : 42, manual ? 47 : 46);
    face(picStart_[1], manual ? 40 : 41, manual ? 44 : 45);
}

// The count box holds 2..12 whenever confirm, Reset or start-up read it;
// the clamp keeps the arrays and the layout sane even if it somehow does not.
std::int16_t MainWindow::MemberCountFromText() const
{
    return std::clamp<std::int16_t>(
        whole_number::ToInt16(txtMember_->text()).value_or(geometry::kFewestPlayers),
        geometry::kFewestPlayers, geometry::kMostPlayers);
}

void MainWindow::picOk_Click()
{
    SetKeyPreview(false);
    state_.mNextPlayer = 1;
    if (!state_.gLadderCleared)
        columns_->Destroy(state_.gMemberCount);
    drawing_.Clear();
    state_.gLadderCleared = false;
    SetSetupControlsEnabled(false);
    picReset_->SetFace(19);

    const std::int16_t n = MemberCountFromText();
    state_.gMemberCount = n;
    state_.gPrizes.Recreate(n);
    state_.gShuffle.Recreate(12);
    state_.gStarted.Recreate(n);
    state_.gResults.Recreate(n);
    state_.mStartedCount = 0;

    int x = geometry::LadderLeft(n);
    ShuffleInto(state_, 12);
    const bool numbered = lstBul_->count() == 0 || lstBul_->item(0)->text().isEmpty();
    for (int i = 1; i <= n; ++i) {
        QLineEdit *name = columns_->Create(i, x, state_.gShuffle(i), state_.gManualStart);
        InsertInTabOrder(name, i);
        NameBoxFocus::Attach(name);
        x += geometry::kColumnSpacing;
        if (numbered)
            state_.gPrizes(i) = QString::number(i);
        else
            state_.gPrizes(i) = i - 1 < lstBul_->count() ? lstBul_->item(i - 1)->text() : QString();
    }
    columns_->StartButton(1)->setEnabled(true);

    state_.gShuffle.Recreate(n);
    ShuffleInto(state_, n);
    DrawLadder(state_, drawing_);
}

void MainWindow::picReset_Click()
{
    SetKeyPreview(false);
    if (!state_.gLadderCleared) {
        drawing_.Clear();
        DrawColumns(state_, drawing_, MemberCountFromText());
        columns_->Destroy(state_.gMemberCount);
    }
    SetSetupControlsEnabled(true);
    state_.gLadderCleared = true;
}

void MainWindow::SelectStartMode(int index)
{
    if (index == 0) {
        picStart_[0]->SetFace(42);
        picStart_[1]->SetFace(41);
        state_.gManualStart = false;
    } else if (index == 1) {
        picStart_[0]->SetFace(43);
        picStart_[1]->SetFace(40);
        state_.gManualStart = true;
    }
}

// Keyboard preview: while on, Escape anywhere in the window reaches the
// pause handler before the focused control sees it.
void MainWindow::SetKeyPreview(bool on)
{
    if (on == keyPreview_)
        return;
    keyPreview_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (keyPreview_ && event->type() == QEvent::KeyPress) {
        // A key the focused control ignores travels on to its parents as the
        // same event; acting only where it lands first keeps one press from
        // pausing and resuming at once.
        QWidget *first = QApplication::focusWidget();
        if (!first || first->window() != this)
            first = this;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == first && key->key() == Qt::Key_Escape && !key->isAutoRepeat())
            descent_.TogglePause();
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::SetTimerRunning(bool on)
{
    if (on) {
        timer1_.setInterval(10);
        timer1_.start();
    } else {
        timer1_.stop();
    }
}

bool MainWindow::TimerRunning() const
{
    return timer1_.isActive();
}

void MainWindow::SetConfirmResetEnabled(bool enabled)
{
    picOk_->setEnabled(enabled);
    picOk_->SetFace(enabled ? 18 : 38);
    picReset_->setEnabled(enabled);
    picReset_->SetFace(enabled ? 19 : 39);
}

void MainWindow::SetStartButtonEnabled(int i, bool enabled)
{
    if (QPushButton *b = columns_->StartButton(i))
        b->setEnabled(enabled);
}

void MainWindow::MovePen(int i, int x, int y)
{
    columns_->MovePen(i, x, y);
}

void MainWindow::ParkPen(int i, int centreX)
{
    columns_->ParkPen(i, centreX);
}

QString MainWindow::PrizeText(int c) const
{
    const QLineEdit *box = columns_->PrizeBox(c);
    return box ? box->text() : QString();
}

void MainWindow::SetPrizeText(int c, const QString &text)
{
    if (QLineEdit *box = columns_->PrizeBox(c))
        box->setText(text);
}

void MainWindow::SetPrizeColour(int c, int colour)
{
    if (QLineEdit *box = columns_->PrizeBox(c))
        SetBoxColour(box, colour);
}

QString MainWindow::NameText(int i) const
{
    const QLineEdit *box = columns_->NameBox(i);
    return box ? box->text() : QString();
}

void MainWindow::SetNameText(int i, const QString &text)
{
    if (QLineEdit *box = columns_->NameBox(i))
        box->setText(text);
}

void MainWindow::SetNameColour(int i, int colour)
{
    if (QLineEdit *box = columns_->NameBox(i))
        SetBoxColour(box, colour);
}
