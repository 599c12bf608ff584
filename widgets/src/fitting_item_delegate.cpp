#include "widgets/fitting_item_delegate.h"

#include "widgets/text_fit.h"

#include <QApplication>
#include <QListView>

FittingItemDelegate::FittingItemDelegate(QListView *view)
    : QStyledItemDelegate(view)
    , view_(view)
{
}

void FittingItemDelegate::Install(QListView *view)
{
    view->setItemDelegate(new FittingItemDelegate(view));
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setResizeMode(QListView::Adjust);
}

int FittingItemDelegate::TextWidth(const QStyleOptionViewItem &option) const
{
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    // The style keeps this much room on either side of an item's text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    return view_->viewport()->width() - 2 * margin;
}

void FittingItemDelegate::initStyleOption(QStyleOptionViewItem *option,
                                          const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // Selected, it keeps the highlight's own text colour, readable on it.
    if (index.data(kGreyedRole).toBool())
        option->palette.setBrush(QPalette::Text, option->palette.brush(QPalette::Disabled, QPalette::Text));
    option->font = text_fit::Fitted(option->font, option->text, TextWidth(*option));
    option->fontMetrics = QFontMetrics(option->font);
}

QSize FittingItemDelegate::sizeHint(const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    // Measured in the list's own font, so every row has the same height;
    // never wider than the list, so no horizontal scroll bar is called for.
    QStyleOptionViewItem normal = option;
    QStyledItemDelegate::initStyleOption(&normal, index);
    const QStyle *style = normal.widget ? normal.widget->style() : QApplication::style();
    QSize size = style->sizeFromContents(QStyle::CT_ItemViewItem, &normal, QSize(), normal.widget);
    size.setWidth(std::min(size.width(), view_->viewport()->width()));
    return size;
}
