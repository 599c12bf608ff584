#include "app/column_controls.h"

#include "widgets/image_list.h"
#include "app/pen_label.h"
#include "widgets/text_fit.h"
#include "widgets/token_button.h"
#include "widgets/units.h"
#include "widgets/zoom_level.h"
#include "game/geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace {

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

ColumnControls::ColumnControls(QWidget *window, const ImageList &images, const ZoomLevel &zoom,
                               Templates templates)
    : QObject(window)
    , window_(window)
    , images_(images)
    , zoom_(zoom)
    , templates_(templates)
{
}

ColumnControls::~ColumnControls() = default;

QString ColumnControls::PrizeName(int i, const QString &prize)
{
    return prize.isEmpty() ? tr("%1번 당첨내역").arg(i) : tr("%1번 당첨: %2").arg(QString::number(i), prize);
}

int ColumnControls::Px(double mm) const
{
    return int(std::lround(units::MmToPx(mm, zoom_.Current())));
}

// The left edge (px) of a control of `width` px centred on x mm.
int ColumnControls::CentredLeft(int xMm, int width) const
{
    return int(std::lround(units::MmToPx(xMm, zoom_.Current()) - width / 2.0));
}

QLineEdit *ColumnControls::Create(int i, int xMm, int picture, bool startEnabled)
{
    Q_ASSERT(i == Count() + 1);
    Column column;
    column.picture = picture;
    column.xMm = xMm;

    column.start = new TokenButton(window_);
    column.start->SetBackColour(templates_.start->BackColour());
    column.start->setFocusPolicy(templates_.start->focusPolicy());
    column.start->setAccessibleName(tr("%1번 출발").arg(i));
    column.start->setEnabled(startEnabled);
    connect(column.start, &QPushButton::clicked, this, [this, i] { emit startClicked(i); });

    // The pen takes the size of its picture; it stays hidden until it moves.
    column.pen = new PenLabel(window_);
    column.pen->setPalette(templates_.pen->palette());

    column.name = CopyLineEdit(templates_.name, window_);
    column.name->setMaxLength(4);
    column.name->setText(QStringLiteral("(이름)"));
    column.name->setAccessibleName(tr("%1번 이름").arg(i));

    column.prize = CopyLineEdit(templates_.prize, window_);
    column.prize->setReadOnly(true);
    column.prize->setFocusPolicy(Qt::ClickFocus);
    column.prize->setAccessibleName(PrizeName(i, QString()));

    Place(column);
    column.start->show();
    column.pen->hide();
    column.name->show();
    column.prize->show();
    columns_.push_back(column);
    return column.name;
}

void ColumnControls::Place(Column &column) const
{
    const units::Zoom zoom = zoom_.Current();
    column.start->resize(templates_.start->size());
    column.start->setIconSize(templates_.start->iconSize());
    column.start->setIcon(images_.Icon(column.picture));
    const int startTop =
        Px(geometry::kLadderTop - units::PxToMm(column.start->height(), zoom) - 6);
    column.start->move(CentredLeft(column.xMm, column.start->width()), startTop);

    column.pen->SetPicture(images_, column.picture);
    column.pen->resize(images_.ShownSize(column.picture));
    PlacePen(column);

    column.name->resize(templates_.name->size());
    column.name->move(CentredLeft(column.xMm, column.name->width()),
                      Px(geometry::kLadderTop - units::PxToMm(column.name->height(), zoom)));
    column.prize->resize(templates_.prize->size());
    column.prize->move(CentredLeft(column.xMm, column.prize->width()),
                       Px(geometry::kLadderBottom));
}

void ColumnControls::PlacePen(Column &column) const
{
    QLabel *pen = column.pen;
    const units::Zoom zoom = zoom_.Current();
    const double heightMm = units::PxToMm(pen->height(), zoom);
    switch (column.penAt) {
    case Column::Pen::Hidden: {
        // Above its start button until its first move.
        const double startTopMm = units::PxToMm(column.start->y(), zoom);
        pen->move(CentredLeft(column.xMm, pen->width()), Px(startTopMm - heightMm - 5));
        break;
    }
    case Column::Pen::Moved:
        pen->move(Px(column.penXMm), Px(column.penYMm - heightMm));
        break;
    case Column::Pen::Parked:
        pen->move(CentredLeft(column.penXMm, pen->width()),
                  Px(geometry::kLadderBottom - heightMm));
        break;
    }
}

void ColumnControls::Relayout()
{
    for (Column &column : columns_) {
        Place(column);
        const std::pair<QLineEdit *, const QLineEdit *> boxes[] = {
            {column.name, templates_.name}, {column.prize, templates_.prize}};
        for (const auto &[box, from] : boxes) {
            // A box without a fitter takes its template's font, which the
            // table has zoomed.
            if (TextFit *fit = TextFit::Of(box))
                fit->Refit();
            else
                box->setFont(from->font());
        }
    }
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

void ColumnControls::SetPrize(int i, const QString &text)
{
    QLineEdit *box = txtbul(i);
    if (!box)
        return;
    box->setText(text);
    // Read out with its column, as a sighted player sees it under the
    // column; Qt tells the reader of the new name.
    box->setAccessibleName(PrizeName(i, text));
}

const ColumnControls::Column *ColumnControls::At(int i) const
{
    return i >= 1 && i <= Count() ? &columns_[std::size_t(i - 1)] : nullptr;
}

ColumnControls::Column *ColumnControls::At(int i)
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
    Column *column = At(i);
    if (!column)
        return;
    column->penAt = Column::Pen::Moved;
    column->penXMm = xMm;
    column->penYMm = yMm;
    PlacePen(*column);
    if (column->pen->isHidden()) {
        // Above the other columns' controls for the whole run.
        column->pen->show();
        column->pen->raise();
    }
}

void ColumnControls::ParkPen(int i, int centreXMm)
{
    Column *column = At(i);
    if (!column)
        return;
    column->penAt = Column::Pen::Parked;
    column->penXMm = centreXMm;
    PlacePen(*column);
}
