#include "widgets/accessibility.h"

#include "widgets/picture_button.h"

#include <QAccessibleWidget>

namespace {

class PictureButtonAccessible final : public QAccessibleWidget
{
public:
    explicit PictureButtonAccessible(PictureButton *button)
        : QAccessibleWidget(button, QAccessible::Button)
    {
    }

    // Read at every question: a button becomes one of a pair of options
    // after its interface may have been made.
    QAccessible::Role role() const override
    {
        return Button()->IsCheckable() ? QAccessible::RadioButton : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (Button()->IsCheckable()) {
            s.checkable = true;
            s.checked = Button()->IsChecked();
        }
        return s;
    }

    // As Qt's own buttons: an option is toggled, a button pressed, and a
    // disabled one offers neither.
    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled())
            names << Action();
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &name) override
    {
        if (name == Action())
            Button()->Click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    PictureButton *Button() const { return static_cast<PictureButton *>(widget()); }

    QString Action() const
    {
        return Button()->IsCheckable() ? toggleAction() : pressAction();
    }
};

// A plain widget without the children it keeps hidden: they are not on the
// screen, so they are not in the tree either. A child shown later is listed
// from then on (Qt tells the reader that it is showing). A plain widget with
// a title bar is a window (a "frame" to the reader), not a filler.
class ShownChildrenAccessible final : public QAccessibleWidget
{
public:
    explicit ShownChildrenAccessible(QWidget *widget)
        : QAccessibleWidget(widget, widget->windowType() == Qt::Window ? QAccessible::Window
                                                                      : QAccessible::Client)
    {
    }

    int childCount() const override { return int(Shown().size()); }

    QAccessibleInterface *child(int index) const override
    {
        const QList<QAccessibleInterface *> shown = Shown();
        return index >= 0 && index < shown.size() ? shown.at(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return int(Shown().indexOf(const_cast<QAccessibleInterface *>(child)));
    }

private:
    QList<QAccessibleInterface *> Shown() const
    {
        QList<QAccessibleInterface *> shown;
        const int all = QAccessibleWidget::childCount();
        for (int i = 0; i < all; ++i) {
            QAccessibleInterface *c = QAccessibleWidget::child(i);
            const QObject *o = c ? c->object() : nullptr;
            if (o && !(o->isWidgetType() && static_cast<const QWidget *>(o)->isHidden()))
                shown << c;
        }
        return shown;
    }
};

QAccessibleInterface *Factory(const QString &key, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (key == QLatin1String("PictureButton"))
        return new PictureButtonAccessible(static_cast<PictureButton *>(widget));
    // Reached only for classes that Qt and the keys above know no better
    // interface for: the window itself and plain boxes.
    if (key == QLatin1String("QWidget"))
        return new ShownChildrenAccessible(widget);
    return nullptr;
}

} // namespace

namespace accessibility {

void InstallFactory()
{
    QAccessible::installFactory(&Factory);
}

} // namespace accessibility
