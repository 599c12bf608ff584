#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Where the keyboard focus rests while a pen runs. A start button is
// disabled by the first step of its run, and a disabled button that has the
// focus would pass it on to the next control in the chain: the first name
// box, whose text a stray key would then overwrite. So the focus is parked
// on the window itself (where no key changes anything) as the run starts,
// and given back to the start button the user chose once that button is
// enabled again, unless the user has put it somewhere else meanwhile.
class RunFocus : public QObject
{
    Q_OBJECT

public:
    explicit RunFocus(QWidget *window);

    // A run is being started from `chosen`.
    void Park(QWidget *chosen);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    QPointer<QWidget> chosen_;
};
