#include "extras/about_box.h"

#include "widgets/fonts.h"
#include "widgets/image_list.h"
#include "widgets/units.h"
#include "game/palette.h"
#include "platform/shell.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

using units::TwipRect;

namespace {

constexpr QSize kClientSize(411, 214); // 6165 x 3210 twips

const QColor kDialogBack(0xee, 0xf4, 0xfc);
const QColor kFrameBack(0xff, 0xff, 0xff);
const QColor kFrameEdge(0xa9, 0xc4, 0xea);
const QColor kLinkColour(0x1a, 0x56, 0xc8);
const QColor kTextColour(0x22, 0x2a, 0x38);
const QColor kQuietText(0x6b, 0x75, 0x86);
const QColor kBadgeBack(0x1c, 0x25, 0x3a);

QColor PaletteColour(int n)
{
    return QColor::fromRgb(QRgb(palette::Rgb(n)));
}

void SetColours(QWidget *widget, const QColor &text, const QColor &back = QColor())
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, text);
    if (back.isValid()) {
        p.setColor(QPalette::Window, back);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(p);
}

// The pointer over the web and contact lines: the pointing hand of the
// image list, or the system's own hand should that picture be missing.
QCursor LinkCursor(const ImageList &images)
{
    const QCursor cursor = images.LinkCursor();
    if (cursor.shape() == Qt::BitmapCursor && !cursor.pixmap().isNull())
        return cursor;
    return QCursor(Qt::PointingHandCursor);
}

// The frame's ground: a small ladder across its empty upper part, one path
// traced down it, and the pill behind the maker's name. Drawn on the ground
// so that the labels above it stay plain labels.
void PaintFrameGround(QWidget *frame, const QRect &nameLabel, double zoom)
{
    QPainter painter(frame);
    painter.setRenderHint(QPainter::Antialiasing);
    // Designed at 100 %; the name's label is placed at the zoom already.
    painter.scale(zoom, zoom);

    constexpr int kTop = 14;
    constexpr int kBottom = 50;
    constexpr int kColumns = 6;
    constexpr int kLeft = 104;
    constexpr int kGap = 38;
    constexpr int kStartColumn = 2;
    const QColor rail(0xc9, 0xdc, 0xf5);
    painter.setPen(QPen(rail, 2, Qt::SolidLine, Qt::RoundCap));
    for (int c = 0; c < kColumns; ++c)
        painter.drawLine(kLeft + c * kGap, kTop, kLeft + c * kGap, kBottom);
    // Rungs as (gap, y): never two at one height on neighbouring gaps.
    static constexpr int kRungs[][2] = {{0, 22}, {0, 40}, {1, 31}, {2, 20}, {2, 44},
                                        {3, 28}, {4, 36}, {4, 18}};
    for (const auto &r : kRungs)
        painter.drawLine(kLeft + r[0] * kGap, r[1], kLeft + (r[0] + 1) * kGap, r[1]);

    // One player's way down from the third column: across at every rung met.
    int column = kStartColumn;
    int y = kTop;
    QPainterPath path(QPointF(kLeft + column * kGap, y));
    for (;;) {
        int nextY = kBottom + 1;
        int nextColumn = column;
        for (const auto &r : kRungs) {
            const bool touches = r[0] == column || r[0] + 1 == column;
            if (touches && r[1] > y && r[1] < nextY) {
                nextY = r[1];
                nextColumn = r[0] == column ? column + 1 : column - 1;
            }
        }
        if (nextY > kBottom)
            break;
        path.lineTo(kLeft + column * kGap, nextY);
        path.lineTo(kLeft + nextColumn * kGap, nextY);
        column = nextColumn;
        y = nextY;
    }
    path.lineTo(kLeft + column * kGap, kBottom);
    painter.setPen(QPen(QColor(0xff, 0x8a, 0x3d), 2.5, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0x8a, 0x3d));
    painter.drawEllipse(QPointF(kLeft + kStartColumn * kGap, kTop), 4, 4);
    painter.drawEllipse(QPointF(kLeft + column * kGap, kBottom), 4, 4);

    painter.setBrush(kBadgeBack);
    const QRectF name(QPointF(nameLabel.topLeft()) / zoom, QSizeF(nameLabel.size()) / zoom);
    const QRectF pill = name.adjusted(-6, -2, 6, 2);
    painter.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QRect &rect, const QString &text,
                  const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutBox::AboutBox(Shell &shell, const ImageList &images, const ZoomLevel &zoom, QWidget *parent)
    : QDialog(parent)
    , shell_(shell)
    , zoom_(zoom)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Kapuna 정보"));
    setWindowIcon(images.AppIcon());
    setFixedSize(units::ScaledPx(kClientSize, zoom_.Current()));
    SetColours(this, kTextColour, kDialogBack);

    BuildControls(images);

    // Load: the blink runs for as long as the box exists.
    timer1_.setInterval(kBlinkMs);
    connect(&timer1_, &QTimer::timeout, this, &AboutBox::Timer1_Timer);
    timer1_.start();
}

void AboutBox::BuildControls(const ImageList &images)
{
    // The zoom cannot change under a modal box: asked once, for the whole
    // layout.
    const units::Zoom zoom = zoom_.Current();
    const double f = zoom.Factor();
    const QFont text = fonts::Gulim(9 * f);
    // What the box's children without a font of their own inherit: the
    // text font at the zoom, not the platform's default at 100 %.
    setFont(text);
    const QCursor linkCursor = LinkCursor(images);

    picIcon_ = new QLabel(this);
    picIcon_->setObjectName(QStringLiteral("PicIcon"));
    picIcon_->setGeometry(TwipRect(240, 240, 480, 480, zoom));
    picIcon_->setPixmap(
        images.AppIcon().pixmap(units::ScaledPx(QSize(32, 32), zoom), devicePixelRatio()));

    lblTitle_ = MakeLabel(this, "LblTitle", TwipRect(1200, 225, 2865, 240, zoom),
                          QStringLiteral("Kapuna 1.1"), fonts::Gulim(10 * f, true));
    SetColours(lblTitle_, Qt::black);

    label1_ = MakeLabel(this, "Label1", TwipRect(1200, 480, 2865, 210, zoom),
                        QStringLiteral("사다리 타기 게임"), text);
    SetColours(label1_, kQuietText);
    label1_->setToolTip(QStringLiteral(
        "그림 일부: Noto Color Emoji (이미지 Apache License 2.0, 글꼴 SIL OFL 1.1)\n"
        "글꼴: 나눔 글꼴 (SIL Open Font License 1.1)"));

    cmdOK_ = new QPushButton(QStringLiteral("확인"), this);
    cmdOK_->setObjectName(QStringLiteral("CmdOK"));
    cmdOK_->setGeometry(TwipRect(4620, 270, 1395, 300, zoom));
    cmdOK_->setFont(text);
    // Enter presses it as the default button; Escape closes the dialog the
    // same way, so both leave as the OK button does.
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &AboutBox::CmdOK_Click);

    frame1_ = new QFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(TwipRect(112, 915, 5940, 2220, zoom));
    frame1_->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetColours(frame1_, kFrameEdge, kFrameBack);
    frame1_->setMouseTracking(true);
    frame1_->installEventFilter(this);

    label2Link_ = MakeLabel(frame1_, "Label2_12", TwipRect(1335, 960, 3375, 210, zoom),
                            WebAddress(), text);
    SetColours(label2Link_, kLinkColour);
    label2Link_->setCursor(linkCursor);
    label2Link_->setToolTip(WebAddress());

    label2Contact_ = MakeLabel(frame1_, "Label2_2", TwipRect(1335, 1230, 3375, 210, zoom),
                               QStringLiteral("문의: help@kapuna.example"), text);
    SetColours(label2Contact_, kTextColour);
    label2Contact_->setCursor(linkCursor);

    lblCredits_ = MakeLabel(frame1_, "LblCredits",
                            QRect(QPoint(8, 100) * f, units::ScaledPx(QSize(380, 24), zoom)),
                            QStringLiteral("그림: Noto Color Emoji (Apache 2.0 / OFL 1.1) · "
                                           "글꼴: 나눔 글꼴 (OFL 1.1)"),
                            fonts::Gulim(7.5 * f));
    lblCredits_->setAlignment(Qt::AlignCenter);
    SetColours(lblCredits_, kQuietText);

    label3_ = MakeLabel(frame1_, "Label3", TwipRect(2130, 1920, 1830, 180, zoom),
                        QStringLiteral("Kapuna 개발팀"), fonts::Gulim(8 * f, true));
    label3_->setAlignment(Qt::AlignCenter);
    SetLabel3Colour(kLabel3Green);

    // Mouse moves over the frame's labels belong to the labels: only a move
    // over the frame's bare ground may clear the link's border.
    for (QLabel *label : {label2Link_, label2Contact_, lblCredits_, label3_}) {
        label->setMouseTracking(true);
        label->installEventFilter(this);
    }
    SetLinkBorder(false);
    cmdOK_->setFocus();
}

QLabel *AboutBox::Label2(int index) const
{
    switch (index) {
    case kContactLabel:
        return label2Contact_;
    case kLinkLabel:
        return label2Link_;
    default:
        return nullptr;
    }
}

int AboutBox::Label2Index(const QObject *object) const
{
    if (object == label2Link_)
        return kLinkLabel;
    if (object == label2Contact_)
        return kContactLabel;
    return -1;
}

void AboutBox::SetLabel3Colour(int colour)
{
    label3Colour_ = colour;
    SetColours(label3_, PaletteColour(colour));
}

void AboutBox::SetLinkBorder(bool on)
{
    linkHasBorder_ = on;
    // The border takes the place of a one-pixel margin, so the address does
    // not shift when it appears.
    label2Link_->setFrameStyle(on ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    label2Link_->setLineWidth(1);
    label2Link_->setMargin(on ? 0 : 1);
}

void AboutBox::Timer1_Timer()
{
    SetLabel3Colour(label3Colour_ == kLabel3Red ? kLabel3Green : kLabel3Red);
}

void AboutBox::Frame1_MouseMove()
{
    SetLinkBorder(false);
}

void AboutBox::Label2_MouseMove(int index)
{
    if (index == kLinkLabel)
        SetLinkBorder(true);
}

void AboutBox::Label2_Click(int index)
{
    if (index == kLinkLabel)
        shell_.Open(WebAddress());
}

void AboutBox::CmdOK_Click()
{
    accept();
}

void AboutBox::CentreOnScreen()
{
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize box = frameGeometry().size().expandedTo(size());
    move(area.x() + (area.width() - box.width()) / 2,
         area.y() + (area.height() - box.height()) / 2);
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == frame1_) {
        if (event->type() == QEvent::MouseMove)
            Frame1_MouseMove();
        else if (event->type() == QEvent::Paint)
            PaintFrameGround(frame1_, label3_->geometry(), zoom_.Factor());
        return QDialog::eventFilter(watched, event);
    }

    const int index = Label2Index(watched);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (index >= 0)
            Label2_MouseMove(index);
        return true; // never on to the frame beneath
    case QEvent::MouseButtonPress:
        if (index >= 0 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            pressedLabel_ = index;
        return index >= 0;
    case QEvent::MouseButtonRelease:
        if (index >= 0 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            // A click is a press and a release on the same label.
            const bool inside = static_cast<QWidget *>(watched)->rect().contains(
                static_cast<QMouseEvent *>(event)->position().toPoint());
            const bool click = pressedLabel_ == index && inside;
            pressedLabel_ = -1;
            if (click)
                Label2_Click(index);
        }
        return index >= 0;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

std::unique_ptr<AboutBox> LoadAboutBox(QWidget *owner, Shell &shell, const ImageList &images,
                                       const ZoomLevel &zoom)
{
    auto box = std::make_unique<AboutBox>(shell, images, zoom, owner);
    box->CentreOnScreen();
    return box;
}

void ShowAboutBox(QWidget *owner, Shell &shell, const ImageList &images, const ZoomLevel &zoom)
{
    const std::unique_ptr<AboutBox> box = LoadAboutBox(owner, shell, images, zoom);
    box->exec();
}
