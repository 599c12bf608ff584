#pragma once

#include <QObject>

class QLineEdit;

// A player-name box selects its whole text whenever it gets the focus, so the
// first typed character replaces the placeholder "(이름)" or the name already
// there. A click into the box would normally place the caret and drop that
// selection; the click that brings the focus is therefore kept from the box
// (with any drag until its release), and later clicks place the caret as
// usual. Focus that merely returns with the window or from the box's own
// context menu leaves the selection as the user had it.
class NameBoxFocus : public QObject
{
    Q_OBJECT

public:
    // Gives `box` this behaviour. The handler lives as a child of the box and
    // goes with it; attaching a box twice returns the handler it has.
    static NameBoxFocus *Attach(QLineEdit *box);

    // The got-focus selection: the whole name.
    static void SelectName(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit NameBoxFocus(QLineEdit *box);

    QLineEdit *box_;
    // The focus came from a mouse press that the box has not seen yet.
    bool clickPending_ = false;
    // Between that press and its release.
    bool holding_ = false;
};
