#include "app/column_controls.h"

#include "widgets/image_list.h"
#include "app/pen_label.h"
#include "widgets/token_button.h"
#include "widgets/units.h"
#include "game/geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

using units::MmToPx;
using units::PxToMm;

namespace {

// The left edge (px) of a control of `width` px centred on x mm.
int CentredLeft(int xMm, int width)
{
    return int(std::lround(MmToPx(xMm - PxToMm(width) / 2.0)));
}

int Px(double mm)
{
    return int(std::lround(MmToPx(mm)));
}

QLineEdit *CopyLineEdit(const QLineEdit *from, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->resize(from->size());
    box->setFont(from->font());
    box->setAlignment(from->alignment());
    box->setFrame(from->hasFrame());
    // The box paints its own base colour; left unmarked as opaque so that
    // the window need not keep track of it while pens move over the ladder.
    box->setPalette(from->palette());
    return box;
}

} // namespace

ColumnControls::ColumnControls(QWidget *window, const ImageList &images, Templates templates)
    : QObject(window)
    , window_(window)
    , images_(images)
    , templates_(templates)
{
}

ColumnControls::~ColumnControls() = default;

QLineEdit *ColumnControls::Create(int i, int xMm, int picture, bool startEnabled)
{
    Q_ASSERT(i == Count() + 1);
    Column column;
    const QPixmap face = images_.Picture(picture);

    column.start = new TokenButton(window_);
    column.start->resize(templates_.start->size());
    column.start->setIconSize(templates_.start->iconSize());
    column.start->SetBackColour(templates_.start->BackColour());
    column.start->setFocusPolicy(templates_.start->focusPolicy());
    column.start->setIcon(QIcon(face));
    column.picture = picture;
    column.start->setAccessibleName(tr("%1번 출발").arg(i));
    const int startTop = Px(geometry::kLadderTop - PxToMm(column.start->height()) - 6);
    column.start->move(CentredLeft(xMm, column.start->width()), startTop);
    column.start->setEnabled(startEnabled);
    connect(column.start, &QPushButton::clicked, this, [this, i] { emit startClicked(i); });
    column.start->show();

    // The pen takes the size of its picture; it stays hidden until it moves.
    column.pen = new PenLabel(window_);
    column.pen->setPalette(templates_.pen->palette());
    column.pen->setPixmap(face);
    column.pen->resize(face.deviceIndependentSize().toSize());
    const double penTopMm = PxToMm(startTop) - PxToMm(column.pen->height()) - 5;
    column.pen->move(CentredLeft(xMm, column.pen->width()), Px(penTopMm));
    column.pen->hide();

    column.name = CopyLineEdit(templates_.name, window_);
    column.name->setMaxLength(4);
    column.name->setText(QStringLiteral("(이름)"));
    column.name->setAccessibleName(tr("%1번 이름").arg(i));
    column.name->move(CentredLeft(xMm, column.name->width()),
                      Px(geometry::kLadderTop - PxToMm(column.name->height())));
    column.name->show();

    column.prize = CopyLineEdit(templates_.prize, window_);
    column.prize->setReadOnly(true);
    column.prize->setFocusPolicy(Qt::ClickFocus);
    column.prize->setAccessibleName(tr("%1번 당첨내역").arg(i));
    column.prize->move(CentredLeft(xMm, column.prize->width()), Px(geometry::kLadderBottom));
    column.prize->show();

    columns_.push_back(column);
    return column.name;
}

void ColumnControls::Destroy(int count)
{
    const int last = std::min(count, Count());
    for (int i = 1; i <= last; ++i) {
        Column &column = columns_[std::size_t(i - 1)];
        delete column.start;
        delete column.name;
        delete column.prize;
        delete column.pen;
    }
    columns_.erase(columns_.begin(), columns_.begin() + last);
}

const ColumnControls::Column *ColumnControls::At(int i) const
{
    return i >= 1 && i <= Count() ? &columns_[std::size_t(i - 1)] : nullptr;
}

QPushButton *ColumnControls::cmdStart(int i) const
{
    const Column *c = At(i);
    return c ? c->start : nullptr;
}

QLineEdit *ColumnControls::txtName(int i) const
{
    const Column *c = At(i);
    return c ? c->name : nullptr;
}

QLineEdit *ColumnControls::txtbul(int i) const
{
    const Column *c = At(i);
    return c ? c->prize : nullptr;
}

QLabel *ColumnControls::imgPen(int i) const
{
    const Column *c = At(i);
    return c ? c->pen : nullptr;
}

QPixmap ColumnControls::PrintPicture(int i) const
{
    const Column *column = At(i);
    return column ? images_.PrintPicture(column->picture) : QPixmap();
}

void ColumnControls::MovePen(int i, int xMm, int yMm)
{
    QLabel *pen = imgPen(i);
    if (!pen)
        return;
    pen->move(Px(xMm), Px(yMm - PxToMm(pen->height())));
    if (pen->isHidden()) {
        // Above the other columns' controls for the whole run.
        pen->show();
        pen->raise();
    }
}

void ColumnControls::ParkPen(int i, int centreXMm)
{
    QLabel *pen = imgPen(i);
    if (!pen)
        return;
    pen->move(CentredLeft(centreXMm, pen->width()),
              Px(geometry::kLadderBottom - PxToMm(pen->height())));
}
