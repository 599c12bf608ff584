#include "platform/dialog_zoom.h"

#include "platform/zoomed_style.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace {

// A message box grows to this width before it wraps its text, whatever the
// size of that text (Qt's own limit, which knows nothing of the zoom).
constexpr int kMessageWrapWidth = 500;

QFont Scaled(QFont font, double factor)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(std::max(1, int(font.pixelSize() * factor + 0.5)));
    return font;
}

const ZoomedStyle *ZoomOf(const QWidget *widget)
{
    return qobject_cast<const ZoomedStyle *>(widget->style());
}

// Qt's widest message box before it wraps anywhere, even inside a word: on
// a screen up to 1024 pixels wide the screen, else the screen less 480
// pixels, at most 1000.
int WidestMessage(const QWidget *box)
{
    const QScreen *screen = box->screen();
    if (!screen)
        return 1000;
    const int width = screen->availableGeometry().width();
    return width <= 1024 ? width : std::min(width - 480, 1000);
}

// A text that fits in one line of the zoomed box keeps to one line, and a
// longer one wraps where a box at 100 % would have, the factor further
// out, but never so far that Qt starts wrapping inside words.
void FitMessageText(QMessageBox *box, double factor)
{
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    QLayout *layout = box->layout();
    if (!label || !layout)
        return;
    const int natural = QFontMetrics(label->font()).size(0, label->text()).width() + 1;
    int beside = layout->contentsMargins().left() + layout->contentsMargins().right();
    if (const auto *icon = box->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label")))
        beside += icon->sizeHint().width()
                  + box->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, box);
    const int room = std::min(int(kMessageWrapWidth * factor), WidestMessage(box)) - beside;
    label->setMinimumWidth(std::clamp(natural, 0, std::max(room, 0)));
}

// The styles draw a message's icon from a picture of 32 pixels at most,
// whatever size they ask for: at the zoom the picture shown at 100 % is
// scaled up smoothly rather than left small beside the larger text.
void FitMessageIcon(QMessageBox *box, double factor)
{
    auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label"));
    QStyle::StandardPixmap which;
    switch (box->icon()) {
    case QMessageBox::Information: which = QStyle::SP_MessageBoxInformation; break;
    case QMessageBox::Warning: which = QStyle::SP_MessageBoxWarning; break;
    case QMessageBox::Critical: which = QStyle::SP_MessageBoxCritical; break;
    case QMessageBox::Question: which = QStyle::SP_MessageBoxQuestion; break;
    default: return;
    }
    if (!label)
        return;
    const QIcon icon = box->style()->standardIcon(which, nullptr, box);
    const int design = QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
    const QSize wanted = (QSizeF(icon.actualSize(QSize(design, design))) * factor).toSize();
    const qreal ratio = box->devicePixelRatio();
    QPixmap picture = icon.pixmap(wanted, ratio);
    if (picture.deviceIndependentSize().toSize() != wanted) {
        picture = icon.pixmap(QSize(1024, 1024), ratio)
                      .scaled(wanted * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
    }
    label->setPixmap(picture);
}

// The list of files knows its width only once the dialog is shown. Then
// the dialog grows until the name it suggests fits in
// the list beside the other columns, as the names of the pictures saved
// before it will.
class RoomForNames final : public QObject
{
public:
    explicit RoomForNames(QFileDialog *dialog)
        : QObject(dialog)
        , dialog_(dialog)
    {
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == dialog_ && event->type() == QEvent::Show)
            Widen();
        return QObject::eventFilter(watched, event);
    }

private:
    void Widen() const
    {
        const auto *files = dialog_->findChild<QTreeView *>(QStringLiteral("treeView"));
        const auto *name = dialog_->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!files || !name)
            return;
        const QHeaderView *header = files->header();
        const QStyle *style = files->style();
        // The name with its icon and margins, as the list measures it,
        // beside the scroll bar.
        int need = files->fontMetrics().horizontalAdvance(name->text())
                   + files->fontMetrics().averageCharWidth()
                   + style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, files)
                   + 4 * style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, files)
                   + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, files);
        for (int i = 1; i < header->count(); ++i)
            if (!header->isSectionHidden(i))
                need += header->sectionSize(i);
        int wider = dialog_->width() + need - files->viewport()->width();
        if (const QScreen *screen = dialog_->screen())
            wider = std::min(wider, screen->availableGeometry().width());
        // Resized only: the dialog places itself over its owner after this.
        if (wider > dialog_->width())
            dialog_->resize(wider, dialog_->height());
    }

    QFileDialog *dialog_;
};

// Qt sizes the file dialog's columns and its list of places once, from the
// font it had when it was made, and holds its tool buttons to the size of a
// 16-pixel icon: at the zoom the headings and names would be cut to "…" and
// the icons cut off. Even at 100 % its dates are cut short and its last
// column lies beyond the list's edge.
void FitFileDialog(QFileDialog *dialog)
{
    for (QToolButton *button : dialog->findChildren<QToolButton *>())
        button->setMaximumSize(button->maximumSize().expandedTo(button->sizeHint()));
    if (auto *places = dialog->findChild<QListView *>(QStringLiteral("sidebar"))) {
        int widest = 0;
        if (const QAbstractItemModel *model = places->model())
            for (int row = 0; row < model->rowCount(); ++row)
                widest = std::max(widest, places->sizeHintForIndex(model->index(row, 0)).width());
        const int frame = 2 * places->frameWidth();
        places->setMinimumWidth(std::max(places->minimumWidth(), widest + frame));
    }
    auto *files = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!files)
        return;
    QHeaderView *header = files->header();
    const QFontMetrics metrics(files->font());
    const int margins =
        2 * (files->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, files) + 1)
        + metrics.averageCharWidth();
    // A size, a type and a time as the dialog writes them.
    const QString samples[] = {
        QStringLiteral("128.88 GB"), QStringLiteral("mp3Folder"),
        QLocale::system().toString(QDateTime(QDate(2000, 12, 29), QTime(22, 22, 22)),
                                   QLocale::ShortFormat)};
    for (int i = 1; i < header->count(); ++i) {
        int width = header->sectionSizeHint(i);
        if (i <= int(std::size(samples)))
            width = std::max(width, metrics.horizontalAdvance(samples[i - 1]) + margins);
        header->resizeSection(i, width);
    }
    // The names take what the others leave of the list's width: the last
    // column is not cut off behind the list's edge.
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    new RoomForNames(dialog);
}

// Lays out what appears later inside a zoomed box, or the menus and
// tooltips over the game's window, as it is polished: before it takes its
// size.
class LaterWidgets final : public QObject
{
public:
    enum class Which { Everything, Popups };

    LaterWidgets(QWidget *root, const DialogZoom &zoom, Which which)
        : QObject(root)
        , root_(root)
        , zoom_(zoom)
        , which_(which)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Polish && watched->isWidgetType() && watched != root_) {
            auto *widget = static_cast<QWidget *>(watched);
            if (Within(widget))
                Zoom(widget);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool Within(const QWidget *widget) const
    {
        for (const QWidget *up = widget->parentWidget(); up; up = up->parentWidget())
            if (up == root_)
                return true;
        return false;
    }

    void Zoom(QWidget *widget) const
    {
        if (which_ == Which::Popups) {
            if (qobject_cast<QMenu *>(widget) || widget->windowType() == Qt::ToolTip)
                dialog_zoom::Apply(widget, zoom_);
            return;
        }
        if (widget->isWindow()) {
            dialog_zoom::Apply(widget, zoom_);
            return;
        }
        // A control added to the box takes its parent's style, as its font.
        QWidget *parent = widget->parentWidget();
        if (ZoomOf(parent) && widget->style() != parent->style())
            widget->setStyle(parent->style());
    }

    QWidget *root_;
    const DialogZoom &zoom_;
    Which which_;
};

} // namespace

namespace dialog_zoom {

QWidget *OwnerWindow(QWidget *owner)
{
    return owner ? owner->window() : QApplication::activeWindow();
}

void Apply(QWidget *box, const DialogZoom &zoom)
{
    if (!box)
        return;
    const double factor = zoom.Factor();
    const ZoomedStyle *before = ZoomOf(box);
    const double was = before ? before->Factor() : 1.0;
    if (before && factor == was)
        return;
    if (factor != was) {
        if (!before)
            new LaterWidgets(box, zoom, LaterWidgets::Which::Everything);
        // From the application's font and style, never the box's own:
        // applying twice must not zoom twice.
        QStyle *style = nullptr;
        if (factor != 1.0) {
            style = new ZoomedStyle(factor);
            style->setParent(box);
        }
        const QList<QWidget *> inside = box->findChildren<QWidget *>();
        box->setFont(factor != 1.0 ? Scaled(QApplication::font(box), factor) : QFont());
        box->setStyle(style);
        for (QWidget *widget : inside) {
            widget->setStyle(style);
            // A window inside the box does not take the box's font.
            if (widget->isWindow())
                widget->setFont(factor != 1.0 ? Scaled(QApplication::font(widget), factor) : QFont());
        }
    }

    if (auto *message = qobject_cast<QMessageBox *>(box)) {
        // It sizes itself to its text when it is shown.
        FitMessageIcon(message, factor);
        FitMessageText(message, factor);
        return;
    }
    if (factor != was && qobject_cast<QDialog *>(box)) {
        const QSize most = box->screen() ? box->screen()->availableGeometry().size()
                                         : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        box->resize((QSizeF(box->size()) * (factor / was)).toSize().expandedTo(box->sizeHint()).boundedTo(most));
    }
    // Even at 100 % Qt's file dialog cuts its dates short.
    if (auto *files = qobject_cast<QFileDialog *>(box))
        FitFileDialog(files);
}

void ApplyToPopups(QWidget *window, const DialogZoom &zoom)
{
    new LaterWidgets(window, zoom, LaterWidgets::Which::Popups);
}

} // namespace dialog_zoom
