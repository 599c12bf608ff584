#include "app/run_focus.h"

#include <QEvent>
#include <QWidget>

RunFocus::RunFocus(QWidget *window)
    : QObject(window)
    , window_(window)
{
}

void RunFocus::Park(QWidget *chosen)
{
    if (chosen_)
        chosen_->removeEventFilter(this);
    chosen_ = chosen;
    if (chosen_)
        chosen_->installEventFilter(this);
    window_->setFocus(Qt::OtherFocusReason);
}

bool RunFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == chosen_ && event->type() == QEvent::EnabledChange && chosen_->isEnabled()) {
        QWidget *const now = window_->focusWidget();
        if (!now || now == window_)
            chosen_->setFocus(Qt::OtherFocusReason);
        chosen_->removeEventFilter(this);
        chosen_ = nullptr;
    }
    return QObject::eventFilter(watched, event);
}
