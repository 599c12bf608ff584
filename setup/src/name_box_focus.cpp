#include "setup/name_box_focus.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>

NameBoxFocus *NameBoxFocus::Attach(QLineEdit *box)
{
    if (auto *existing = box->findChild<NameBoxFocus *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new NameBoxFocus(box);
}

NameBoxFocus::NameBoxFocus(QLineEdit *box)
    : QObject(box)
    , box_(box)
{
    box_->installEventFilter(this);
}

void NameBoxFocus::SelectName(QLineEdit *box)
{
    box->selectAll();
}

bool NameBoxFocus::eventFilter(QObject *watched, QEvent *event)
{
    // Nothing to do for a box that is being destroyed (no QLineEdit any more).
    if (qobject_cast<QLineEdit *>(watched) != box_)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        // The box's own focus-in handling keeps an existing selection, so
        // selecting before it runs is enough.
        SelectName(box_);
        clickPending_ = reason == Qt::MouseFocusReason;
        holding_ = false;
        break;
    }
    case QEvent::MouseButtonPress: {
        const bool focusingClick = clickPending_;
        clickPending_ = false;
        if (focusingClick && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            holding_ = true;
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        if (holding_) {
            event->accept();
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        // The release itself may pass: with no press seen it only offers the
        // selection to the system's selection clipboard.
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            holding_ = false;
        break;
    case QEvent::FocusOut:
    case QEvent::KeyPress:
        clickPending_ = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
