#include "setup/prize_list.h"

#include "widgets/fitting_item_delegate.h"
#include "widgets/picture_button.h"
#include "game/geometry.h"
#include "game/whole_number.h"
#include "platform/messages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace {

constexpr double kCountOfAnEmptyBox = 2;

QString ListIsFull()
{
    return QStringLiteral("당첨내역이 모두 설정되었습니다.");
}

// The two "nothing to delete" texts differ by one space, each belonging to
// its own button.
QString NothingSelected()
{
    return QStringLiteral("삭제할 내용이없습니다.");
}

QString NothingListed()
{
    return QStringLiteral("삭제할 내용이 없습니다.");
}

QString NotUsed(int count)
{
    return QStringLiteral("게임인원이 %1명이라 이 당첨내역은 쓰이지 않습니다.").arg(count);
}

} // namespace

PrizeList::PrizeList(Controls controls, Messages &messages, QObject *parent)
    : QObject(parent)
    , c_(controls)
    , messages_(messages)
{
    // Deleting works on the one selected prize.
    c_.lstBul->setSelectionMode(QAbstractItemView::SingleSelection);
    c_.lstBul->setSortingEnabled(false);
    c_.txtInput->installEventFilter(this);
    connect(c_.picAdd, &PictureButton::clicked, this, &PrizeList::picAdd_Click);
    connect(c_.picDel, &PictureButton::clicked, this, &PrizeList::picDel_Click);
    connect(c_.picClear, &PictureButton::clicked, this, &PrizeList::picClear_Click);

    connect(c_.txtMember, &QLineEdit::textChanged, this, &PrizeList::MarkUnused);
    const QAbstractItemModel *items = c_.lstBul->model();
    connect(items, &QAbstractItemModel::rowsInserted, this, &PrizeList::MarkUnused);
    connect(items, &QAbstractItemModel::rowsRemoved, this, &PrizeList::MarkUnused);
    // Not modelReset: a list widget resets only when it is cleared, which
    // leaves nothing to mark, and when it is destroyed, when it is no
    // longer a list widget to ask.
    MarkUnused();
}

void PrizeList::MarkUnused()
{
    // Read afresh, not from the signal: a correction of the count sets the
    // box again inside the change, and the last text is the count.
    if (const QString text = c_.txtMember->text(); !text.isEmpty() || count_ == 0)
        count_ = std::clamp<int>(whole_number::ToInt16(text).value_or(geometry::kFewestPlayers),
                                 geometry::kFewestPlayers, geometry::kMostPlayers);
    for (int row = 0; row < c_.lstBul->count(); ++row) {
        QListWidgetItem *item = c_.lstBul->item(row);
        const bool unused = row >= count_;
        const QString why = unused ? NotUsed(count_) : QString();
        if (item->toolTip() == why)
            continue;
        item->setData(FittingItemDelegate::kGreyedRole, unused);
        item->setToolTip(why);
        item->setData(Qt::AccessibleDescriptionRole, why);
    }
}

bool PrizeList::HasRoom() const
{
    const double count =
        whole_number::ToNumber(c_.txtMember->text()).value_or(kCountOfAnEmptyBox);
    return count >= c_.lstBul->count() + 1;
}

void PrizeList::Append()
{
    c_.lstBul->addItem(c_.txtInput->text());
    c_.txtInput->clear();
}

bool PrizeList::txtInput_KeyPress(const QKeyEvent &key)
{
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
        return false;
    if (c_.txtInput->text().isEmpty())
        return false;
    if (HasRoom()) {
        Append();
    } else {
        messages_.Inform(ListIsFull());
        // The refused entry is dropped only once the user has read why.
        c_.txtInput->clear();
    }
    return true;
}

void PrizeList::picAdd_Click()
{
    if (c_.txtInput->text().isEmpty()) {
        c_.txtInput->setFocus();
        return;
    }
    if (HasRoom()) {
        Append();
        c_.txtInput->setFocus();
    } else {
        messages_.Inform(ListIsFull());
        c_.txtInput->clear();
    }
}

void PrizeList::picDel_Click()
{
    // The list's current item may be unselected (after Ctrl+click, or set by
    // the program); only a selected prize is deleted.
    const QList<QListWidgetItem *> selected = c_.lstBul->selectedItems();
    if (selected.isEmpty()) {
        messages_.Inform(NothingSelected());
        c_.txtInput->setFocus();
        return;
    }
    delete c_.lstBul->takeItem(c_.lstBul->row(selected.first()));
    // The view would move the selection on to the next prize; a second click
    // must not delete that one unasked.
    c_.lstBul->clearSelection();
    c_.lstBul->setCurrentRow(-1);
}

void PrizeList::picClear_Click()
{
    if (c_.lstBul->count() > 0) {
        c_.lstBul->clear();
        return;
    }
    messages_.Inform(NothingListed());
    c_.txtInput->setFocus();
}

bool PrizeList::eventFilter(QObject *watched, QEvent *event)
{
    // A box half-way through its destruction is no QLineEdit any more.
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched) == c_.txtInput
        && txtInput_KeyPress(*static_cast<QKeyEvent *>(event)))
        return true;
    return QObject::eventFilter(watched, event);
}
