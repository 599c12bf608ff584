#include "app/controls.h"

#include "extras/vel_gif.h"
#include "widgets/faces.h"
#include "widgets/fonts.h"
#include "widgets/picture_button.h"
#include "widgets/text_fit.h"
#include "widgets/token_button.h"
#include "widgets/zoom_level.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <type_traits>

// A member of Controls and its object name, from one identifier: a name
// that is no member does not compile, and the two cannot drift apart.
#define CONTROL(member_) .name = #member_, .member = &Controls::member_

constexpr std::array<ControlEntry, 22> kControls = {{
    {CONTROL(txtInput), .place = {420, 2010, 825, 195},
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "당첨내역 입력"), .fontPt = 8.25,
     .framed = false},
    {CONTROL(lstBul), .place = {360, 2490, 885, 2010},
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "당첨내역 목록"), .fontPt = 8.25},
    {CONTROL(txtMember), .place = {1380, 480, 270, 255},
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임인원"), .fontPt = 9.75, .maxLength = 2,
     .centred = true, .framed = false, .back = 0xffffffff},
    {CONTROL(cmdStart0), .place = {3000, 1500, 585, 555},
     .template_ = true, .back = 0xffc0ffff},
    {CONTROL(txtName0), .place = {2880, 2580, 735, 270}, .fontPt = 8.25,
     .centred = true, .template_ = true},
    {CONTROL(txtbul0), .place = {3120, 4680, 735, 270}, .fontPt = 8.25,
     .centred = true, .template_ = true},
    {CONTROL(imgPen0), .place = {3720, 1590, 480, 480},
     .template_ = true, .back = 0xffffffff},
    {CONTROL(picUpdown0), .place = {1770, 300, 285, 315},
     .normal = face::Up, .pressed = face::UpPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "인원 늘리기")},
    {CONTROL(picAdd), .place = {1380, 1890, 345, 435},
     .normal = face::Add, .pressed = face::AddPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "추가")},
    {CONTROL(picDel), .place = {1320, 2640, 720, 780},
     .normal = face::Delete, .pressed = face::DeletePressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "삭제")},
    {CONTROL(picClear), .place = {1320, 3540, 690, 750},
     .normal = face::Clear, .pressed = face::ClearPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "전체삭제")},
    {CONTROL(picOk), .place = {1230, 6570, 885, 885},
     .normal = face::Confirm, .pressed = face::ConfirmPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임시작")},
    {CONTROL(picReset), .place = {210, 6570, 885, 885},
     .normal = face::Reset, .pressed = face::ResetPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임재설정")},
    {CONTROL(picEnd), .place = {11070, 180, 720, 720},
     .normal = face::End, .pressed = face::EndPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "종료"), .toolTip = "종료",
     .resizesToPicture = true},
    {CONTROL(picAbout), .place = {9570, 180, 720, 690},
     .normal = face::About, .pressed = face::AboutPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "Kapuna 정보"), .toolTip = "Kapuna 정보"},
    {CONTROL(picHelp), .place = {10320, 150, 735, 750},
     .normal = face::Help, .pressed = face::HelpPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "도움말"), .toolTip = "도움말",
     .resizesToPicture = true},
    {CONTROL(picUpdown1), .place = {1770, 630, 315, 330},
     .normal = face::Down, .pressed = face::DownPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "인원 줄이기"), .resizesToPicture = true},
    {CONTROL(picStart0), .place = {540, 5430, 1185, 285},
     .normal = face::AllAtOnceOff, .accessible = QT_TRANSLATE_NOOP("MainWindow", "전체시작")},
    {CONTROL(picStart1), .place = {510, 5760, 1170, 270},
     .normal = face::OneByOneOn, .accessible = QT_TRANSLATE_NOOP("MainWindow", "선택시작")},
    // The banner's navy shadow: its size, 60 twips right and down.
    {CONTROL(Picture1), .place = {3150, 240, 5115, 735}, .back = 0xff000080},
    {CONTROL(picPrint), .place = {8790, 180, 750, 720},
     .normal = face::Print, .pressed = face::PrintPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임 결과 인쇄"), .toolTip = "게임 결과 인쇄"},
    {CONTROL(VelGif1), .place = {3090, 180, 5115, 735}},
}};

#undef CONTROL

namespace {

// Each entry names a member (an entry left out of the array would be an
// empty one), and each member appears once...
constexpr bool EveryMemberOnce()
{
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (std::visit([](auto member) { return member == nullptr; }, kControls[i].member))
            return false;
        for (std::size_t j = i + 1; j < kControls.size(); ++j)
            if (kControls[i].member == kControls[j].member)
                return false;
    }
    return true;
}
static_assert(EveryMemberOnce(), "a control is missing from the table or listed twice");
// ...and Controls holds one pointer per control and nothing else, so the
// table fills every member: a control added to one and not the other does
// not compile.
static_assert(sizeof(Controls) == kControls.size() * sizeof(QWidget *),
              "every member of Controls needs its entry in the table");

struct Context
{
    QWidget *window;
    const ImageList &images;
    const ZoomLevel &zoom;
    const QString &programFolder;
};

void SetBackground(QWidget *widget, QRgb colour, QPalette::ColorRole role)
{
    QPalette p = widget->palette();
    p.setColor(role, QColor::fromRgb(colour));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

// One maker per kind of control, chosen by the type of the entry's member.
QLineEdit *Create(std::type_identity<QLineEdit>, const ControlEntry &entry, const Context &c)
{
    auto *box = new QLineEdit(c.window);
    if (entry.maxLength > 0)
        box->setMaxLength(entry.maxLength);
    if (entry.centred)
        box->setAlignment(Qt::AlignCenter);
    box->setFrame(entry.framed);
    if (entry.back)
        SetBackground(box, entry.back, QPalette::Base);
    return box;
}

QListWidget *Create(std::type_identity<QListWidget>, const ControlEntry &, const Context &c)
{
    auto *list = new QListWidget(c.window);
    list->setSortingEnabled(false);
    return list;
}

PictureButton *Create(std::type_identity<PictureButton>, const ControlEntry &entry,
                      const Context &c)
{
    auto *button = new PictureButton(c.images, entry.normal, entry.pressed, c.window);
    button->SetResizesToPicture(entry.resizesToPicture);
    // Picture buttons are worked with the mouse; the text boxes and the
    // list take the focus.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TokenButton *Create(std::type_identity<TokenButton>, const ControlEntry &entry, const Context &c)
{
    auto *token = new TokenButton(c.window);
    token->setIconSize(QSize(32, 32));
    token->SetBackColour(QColor::fromRgb(entry.back));
    return token;
}

QLabel *Create(std::type_identity<QLabel>, const ControlEntry &entry, const Context &c)
{
    auto *pen = new QLabel(c.window);
    SetBackground(pen, entry.back, QPalette::Window);
    return pen;
}

QWidget *Create(std::type_identity<QWidget>, const ControlEntry &entry, const Context &c)
{
    auto *box = new QWidget(c.window);
    SetBackground(box, entry.back, QPalette::Window);
    return box;
}

VelGif *Create(std::type_identity<VelGif>, const ControlEntry &, const Context &c)
{
    return new VelGif(c.programFolder, c.zoom, c.window);
}

// One placer per kind: the table's rectangle at the zoom, and what else of
// the control grows with it.
void Place(QWidget *control, const ControlEntry &entry, QRect rect, units::Zoom zoom)
{
    control->setGeometry(rect);
    if (entry.fontPt > 0)
        control->setFont(fonts::Gulim(entry.fontPt * zoom.Factor()));
}

void Place(QLineEdit *box, const ControlEntry &entry, QRect rect, units::Zoom zoom)
{
    box->setGeometry(rect);
    if (entry.fontPt <= 0)
        return;
    // A box that fits its text takes its font from its own design font.
    if (TextFit *fit = TextFit::Of(box))
        fit->Refit();
    else
        box->setFont(fonts::Gulim(entry.fontPt * zoom.Factor()));
}

void Place(PictureButton *button, const ControlEntry &, QRect rect, units::Zoom)
{
    button->setGeometry(rect);
    // After the table's rectangle: a box that resizes to its picture keeps
    // the size of the face it shows now, zoomed.
    button->FitPicture();
}

void Place(TokenButton *token, const ControlEntry &, QRect rect, units::Zoom zoom)
{
    token->setGeometry(rect);
    token->setIconSize(units::ScaledPx(QSize(32, 32), zoom));
}

void Place(VelGif *banner, const ControlEntry &, QRect rect, units::Zoom)
{
    // The strip keeps a fixed size, which would hold a new rectangle back.
    banner->setFixedSize(rect.size());
    banner->move(rect.topLeft());
}

} // namespace

Controls BuildControls(QWidget *window, const ImageList &images, const ZoomLevel &zoom,
                       const QString &programFolder)
{
    const Context context{window, images, zoom, programFolder};
    Controls controls;
    for (const ControlEntry &entry : kControls) {
        QWidget *control = std::visit(
            [&](auto member) -> QWidget * {
                using T = std::remove_pointer_t<std::remove_reference_t<decltype(controls.*member)>>;
                T *made = Create(std::type_identity<T>{}, entry, context);
                controls.*member = made;
                return made;
            },
            entry.member);
        control->setObjectName(QLatin1String(entry.name));
        if (entry.accessible)
            control->setAccessibleName(QCoreApplication::translate("MainWindow", entry.accessible));
        if (entry.toolTip)
            control->setToolTip(QString::fromUtf8(entry.toolTip));
        if (entry.template_)
            control->hide();
    }
    PlaceControls(controls, zoom.Current());
    return controls;
}

void PlaceControls(const Controls &controls, units::Zoom zoom)
{
    for (const ControlEntry &entry : kControls) {
        const QRect rect = units::ToPx(entry.place, zoom);
        std::visit([&](auto member) { Place(controls.*member, entry, rect, zoom); }, entry.member);
    }
}

QWidget *Widget(const Controls &controls, const ControlMember &member)
{
    return std::visit([&](auto m) -> QWidget * { return controls.*m; }, member);
}

const ControlEntry &Design(const ControlMember &member)
{
    // Every member has its entry: checked above, when this file compiles.
    return *std::find_if(kControls.begin(), kControls.end(),
                         [&](const ControlEntry &entry) { return entry.member == member; });
}

QFont DesignFont(const ControlMember &member)
{
    return fonts::Gulim(Design(member).fontPt);
}
