#pragma once

#include <QKeySequence>
#include <QObject>

class ColumnControls;
class PictureButton;
class QWidget;
class Share;
struct Controls;

// The keyboard: a shortcut for every picture button, every start button and
// both ways of saving, so that a whole game can be set up, played and
// printed without a mouse. The keys never collide with typing in the text
// boxes (no plain letters or digits; Escape stays the pause) nor with the
// zoom (Ctrl with plus, minus, = or 0). A shortcut acts only when its button
// is enabled and visible, exactly as a click would; each button's tooltip
// names its key.
class Shortcuts : public QObject
{
    Q_OBJECT

public:
    Shortcuts(QWidget *window, const Controls &controls, ColumnControls &columns, Share &share);

    // Names the keys in the tooltips of the start buttons confirm has just
    // made.
    void LabelStartButtons();

    // The key of start button i (1..12): Alt+1..Alt+9, Alt+0, Alt+-, Alt+=.
    static QKeySequence StartKey(int i);

private:
    void Press(PictureButton *button);
    void Start(int i);

    ColumnControls &columns_;
};
