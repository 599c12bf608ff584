#pragma once

#include <QStyledItemDelegate>

class QListView;

// Draws each item of a one-column list whole: an item wider than the list
// is drawn in a smaller font (text_fit::Fitted), so the list never needs a
// horizontal scroll bar. Rows keep the height of the list's own font.
class FittingItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // An item whose data for this role is true is drawn greyed, in the
    // colour of disabled text, yet stays enabled: it can still be selected
    // and deleted. Its owner says why in the item's tooltip.
    static constexpr int kGreyedRole = Qt::UserRole + 1;

    // Sets the delegate on `view` and makes the view lay its items out
    // afresh when its width changes (a vertical scroll bar comes or goes).
    static void Install(QListView *view);

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    explicit FittingItemDelegate(QListView *view);
    int TextWidth(const QStyleOptionViewItem &option) const;

    QListView *view_;
};
