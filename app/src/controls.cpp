#include "app/controls.h"

#include "extras/vel_gif.h"
#include "widgets/faces.h"
#include "widgets/fonts.h"
#include "widgets/picture_button.h"
#include "widgets/text_fit.h"
#include "widgets/token_button.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using K = ControlKind;

const std::array<ControlEntry, 22> kControls = {{
    {.name = "txtInput", .kind = K::TextBox, .place = {420, 2010, 825, 195},
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "당첨내역 입력"), .fontPt = 8.25,
     .framed = false},
    {.name = "lstBul", .kind = K::List, .place = {360, 2490, 885, 2010},
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "당첨내역 목록"), .fontPt = 8.25},
    {.name = "txtMember", .kind = K::TextBox, .place = {1380, 480, 270, 255},
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임인원"), .fontPt = 9.75, .maxLength = 2,
     .centred = true, .framed = false, .back = 0xffffffff},
    {.name = "cmdStart0", .kind = K::StartToken, .place = {3000, 1500, 585, 555},
     .template_ = true, .back = 0xffc0ffff},
    {.name = "txtName0", .kind = K::TextBox, .place = {2880, 2580, 735, 270}, .fontPt = 8.25,
     .centred = true, .template_ = true},
    {.name = "txtbul0", .kind = K::TextBox, .place = {3120, 4680, 735, 270}, .fontPt = 8.25,
     .centred = true, .template_ = true},
    {.name = "imgPen0", .kind = K::PenPicture, .place = {3720, 1590, 480, 480},
     .template_ = true, .back = 0xffffffff},
    {.name = "picUpdown0", .kind = K::Picture, .place = {1770, 300, 285, 315},
     .normal = face::Up, .pressed = face::UpPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "인원 늘리기")},
    {.name = "picAdd", .kind = K::Picture, .place = {1380, 1890, 345, 435},
     .normal = face::Add, .pressed = face::AddPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "추가")},
    {.name = "picDel", .kind = K::Picture, .place = {1320, 2640, 720, 780},
     .normal = face::Delete, .pressed = face::DeletePressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "삭제")},
    {.name = "picClear", .kind = K::Picture, .place = {1320, 3540, 690, 750},
     .normal = face::Clear, .pressed = face::ClearPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "전체삭제")},
    {.name = "picOk", .kind = K::Picture, .place = {1230, 6570, 885, 885},
     .normal = face::Confirm, .pressed = face::ConfirmPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임시작")},
    {.name = "picReset", .kind = K::Picture, .place = {210, 6570, 885, 885},
     .normal = face::Reset, .pressed = face::ResetPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임재설정")},
    {.name = "picEnd", .kind = K::Picture, .place = {11070, 180, 720, 720},
     .normal = face::End, .pressed = face::EndPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "종료"), .toolTip = "종료",
     .resizesToPicture = true},
    {.name = "picAbout", .kind = K::Picture, .place = {9570, 180, 720, 690},
     .normal = face::About, .pressed = face::AboutPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "Kapuna 정보"), .toolTip = "Kapuna 정보"},
    {.name = "picHelp", .kind = K::Picture, .place = {10320, 150, 735, 750},
     .normal = face::Help, .pressed = face::HelpPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "도움말"), .toolTip = "도움말",
     .resizesToPicture = true},
    {.name = "picUpdown1", .kind = K::Picture, .place = {1770, 630, 315, 330},
     .normal = face::Down, .pressed = face::DownPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "인원 줄이기"), .resizesToPicture = true},
    {.name = "picStart0", .kind = K::Picture, .place = {540, 5430, 1185, 285},
     .normal = face::AllAtOnceOff, .accessible = QT_TRANSLATE_NOOP("MainWindow", "전체시작")},
    {.name = "picStart1", .kind = K::Picture, .place = {510, 5760, 1170, 270},
     .normal = face::OneByOneOn, .accessible = QT_TRANSLATE_NOOP("MainWindow", "선택시작")},
    // The banner's navy shadow: its size, 60 twips right and down.
    {.name = "Picture1", .kind = K::Shadow, .place = {3150, 240, 5115, 735}, .back = 0xff000080},
    {.name = "picPrint", .kind = K::Picture, .place = {8790, 180, 750, 720},
     .normal = face::Print, .pressed = face::PrintPressed,
     .accessible = QT_TRANSLATE_NOOP("MainWindow", "게임 결과 인쇄"), .toolTip = "게임 결과 인쇄"},
    {.name = "VelGif1", .kind = K::Banner, .place = {3090, 180, 5115, 735}},
}};

namespace {

void SetBackground(QWidget *widget, QRgb colour, QPalette::ColorRole role)
{
    QPalette p = widget->palette();
    p.setColor(role, QColor::fromRgb(colour));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QWidget *Create(const ControlEntry &entry, QWidget *window, const ImageList &images,
                const QString &programFolder)
{
    switch (entry.kind) {
    case K::TextBox: {
        auto *box = new QLineEdit(window);
        if (entry.maxLength > 0)
            box->setMaxLength(entry.maxLength);
        if (entry.centred)
            box->setAlignment(Qt::AlignCenter);
        box->setFrame(entry.framed);
        if (entry.back)
            SetBackground(box, entry.back, QPalette::Base);
        return box;
    }
    case K::List: {
        auto *list = new QListWidget(window);
        list->setSortingEnabled(false);
        return list;
    }
    case K::Picture: {
        auto *button = new PictureButton(images, entry.normal, entry.pressed, window);
        button->SetResizesToPicture(entry.resizesToPicture);
        // Picture buttons are worked with the mouse; the text boxes and the
        // list take the focus.
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    }
    case K::StartToken: {
        auto *token = new TokenButton(window);
        token->setIconSize(QSize(32, 32));
        token->SetBackColour(QColor::fromRgb(entry.back));
        return token;
    }
    case K::PenPicture: {
        auto *pen = new QLabel(window);
        SetBackground(pen, entry.back, QPalette::Window);
        return pen;
    }
    case K::Shadow: {
        auto *box = new QWidget(window);
        SetBackground(box, entry.back, QPalette::Window);
        return box;
    }
    case K::Banner:
        return new VelGif(programFolder, window);
    }
    return nullptr;
}

} // namespace

void BuildControls(QWidget *window, const ImageList &images, const QString &programFolder)
{
    for (const ControlEntry &entry : kControls) {
        QWidget *control = Create(entry, window, images, programFolder);
        control->setObjectName(QLatin1String(entry.name));
        if (entry.accessible)
            control->setAccessibleName(QCoreApplication::translate("MainWindow", entry.accessible));
        if (entry.toolTip)
            control->setToolTip(QString::fromUtf8(entry.toolTip));
        if (entry.template_)
            control->hide();
    }
    PlaceControls(window, units::Zoom{});
}

QRect DesignRect(const QString &name)
{
    for (const ControlEntry &entry : kControls)
        if (name == QLatin1String(entry.name))
            return units::ToPx(entry.place);
    return {};
}

void PlaceControls(QWidget *window, units::Zoom zoom)
{
    for (const ControlEntry &entry : kControls) {
        QWidget *control = Control(window, QLatin1String(entry.name));
        if (!control)
            continue;
        control->setGeometry(units::ToPx(entry.place, zoom));
        // After the table's rectangle: a box that resizes to its picture
        // keeps the size of the face it shows now, zoomed.
        if (auto *button = qobject_cast<PictureButton *>(control))
            button->SetZoom(zoom);
        else if (auto *token = qobject_cast<TokenButton *>(control))
            token->setIconSize(units::ScaledPx(QSize(32, 32), zoom));
        else if (auto *banner = qobject_cast<VelGif *>(control))
            banner->SetZoom(zoom);
        if (entry.fontPt > 0) {
            const QFont font = fonts::Gulim(entry.fontPt * zoom.Factor());
            if (auto *box = qobject_cast<QLineEdit *>(control))
                TextFit::SetNormalFont(box, font, zoom.Factor());
            else
                control->setFont(font);
        }
    }
}
