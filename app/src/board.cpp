#include "app/board.h"

#include "app/column_controls.h"
#include "app/controls.h"
#include "game/game_number.h"
#include "game/game_state.h"
#include "game/palette.h"
#include "platform/printer.h"
#include "widgets/faces.h"
#include "widgets/picture_button.h"
#include "widgets/token_button.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

// A player's colour on a name or prize box; the text turns white on the
// darker colours so that the name and the prize stay readable.
void SetBoxColour(QLineEdit *box, int colour)
{
    if (!box)
        return;
    const QColor back = QColor::fromRgb(palette::Rgb(colour));
    QPalette p = box->palette();
    p.setColor(QPalette::Base, back);
    const double luminance = 0.299 * back.redF() + 0.587 * back.greenF() + 0.114 * back.blueF();
    p.setColor(QPalette::Text, luminance < 0.5 ? Qt::white : Qt::black);
    box->setPalette(p);
}

QString TextOf(const QLineEdit *box)
{
    return box ? box->text() : QString();
}

} // namespace

Board::Board(QWidget *window, const Controls &controls, GameState &state, DrawingSurface &surface,
             const ImageList &images, const ZoomLevel &zoom)
    : QObject(window)
    , window_(window)
    , picOk_(controls.picOk)
    , picReset_(controls.picReset)
    , columns_(new ColumnControls(
          window, images, zoom,
          {controls.cmdStart0, controls.txtName0, controls.txtbul0, controls.imgPen0}))
    , state_(state)
    , descent_(state, *this, surface)
{
    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setTimerType(Qt::PreciseTimer);
    timer1_.setInterval(0);
    connect(&timer1_, &QTimer::timeout, this, [this] { descent_.DescentStep(); });
    connect(columns_, &ColumnControls::startClicked, this,
            [this](int i) { descent_.StartDescent(std::int16_t(i)); });
}

Board::~Board()
{
    SetKeyPreview(false);
}

// Keyboard preview: while on, Escape anywhere in the window reaches the
// pause handler before the focused control sees it.
void Board::SetKeyPreview(bool on)
{
    if (on == keyPreview_)
        return;
    keyPreview_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool Board::eventFilter(QObject *watched, QEvent *event)
{
    if (keyPreview_ && event->type() == QEvent::KeyPress) {
        // A key the focused control ignores travels on to its parents as the
        // same event; acting only where it lands first keeps one press from
        // pausing and resuming at once.
        QWidget *first = QApplication::focusWidget();
        if (!first || first->window() != window_)
            first = window_;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (watched == first && key->key() == Qt::Key_Escape && !key->isAutoRepeat())
            descent_.TogglePause();
    }
    return QObject::eventFilter(watched, event);
}

void Board::SetTimerRunning(bool on)
{
    if (on) {
        timer1_.setInterval(10);
        timer1_.start();
    } else {
        timer1_.stop();
    }
}

bool Board::TimerRunning() const
{
    return timer1_.isActive();
}

void Board::SetConfirmResetEnabled(bool enabled)
{
    picOk_->setEnabled(enabled);
    picOk_->SetFace(enabled ? face::Confirm : face::ConfirmGrey);
    picReset_->setEnabled(enabled);
    picReset_->SetFace(enabled ? face::Reset : face::ResetGrey);
}

void Board::SetStartButtonEnabled(int i, bool enabled)
{
    if (QPushButton *b = columns_->cmdStart(i))
        b->setEnabled(enabled);
}

void Board::MovePen(int i, int x, int y)
{
    columns_->MovePen(i, x, y);
}

void Board::ParkPen(int i, int centreX)
{
    columns_->ParkPen(i, centreX);
}

QString Board::PrizeText(int c) const
{
    return TextOf(columns_->txtbul(c));
}

void Board::SetPrizeText(int c, const QString &text)
{
    columns_->SetPrize(c, text);
}

void Board::SetPrizeColour(int c, int colour)
{
    SetBoxColour(columns_->txtbul(c), colour);
}

QString Board::NameText(int i) const
{
    return TextOf(columns_->txtName(i));
}

void Board::SetNameText(int i, const QString &text)
{
    if (QLineEdit *box = columns_->txtName(i))
        box->setText(text);
}

void Board::SetNameColour(int i, int colour)
{
    SetBoxColour(columns_->txtName(i), colour);
}

QPixmap Board::StartPicture(int i) const
{
    // The animal drawn for paper, not the screen's picture on the button.
    return columns_->PrintPicture(i);
}

QSizeF Board::PenTemplateSizeMm() const
{
    // The size the pictures print at, so that they sit exactly centred: the
    // pen template's design size. The template on screen grows with the
    // zoom, and the sheet must not.
    return Printer::PictureSizeMm(units::ToPx(Design(&Controls::imgPen0).place).size());
}

void Board::PathEnded()
{
    emit pathEnded();
}

SheetNotes Board::Notes() const
{
    SheetNotes notes;
    const int n = state_.gMemberCount;
    if (state_.gPhase == GamePhase::Confirmed && n > 0 && state_.mArrivedCount >= n)
        notes.number = game_number::Encode(state_.gSeed, n);
    notes.replay = replay_;
    return notes;
}
