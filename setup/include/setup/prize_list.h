#pragma once

#include <QObject>

class Messages;
class PictureButton;
class QKeyEvent;
class QLineEdit;
class QListWidget;

// The prize list: the entry box, the list and its add, delete and delete-all
// buttons. The list holds at most as many prizes as the member count says;
// items keep the order they were added in and may repeat. A lowered count
// keeps every prize, and confirm takes the first ones only: the others are
// shown greyed, with a tooltip (and accessible description) that says why,
// for as long as the count and the list leave them out.
class PrizeList : public QObject
{
    Q_OBJECT

public:
    struct Controls
    {
        QLineEdit *txtInput;
        QListWidget *lstBul;
        PictureButton *picAdd;
        PictureButton *picDel;
        PictureButton *picClear;
        QLineEdit *txtMember;
    };

    PrizeList(Controls controls, Messages &messages, QObject *parent);

    // The handlers, callable as the events would call them.
    void picAdd_Click();
    void picDel_Click();
    void picClear_Click();

    // Whether one more prize fits: count >= items + 1, the count read from
    // the member-count box. A box without a number in it (empty while it is
    // being retyped) counts as 2, the value it falls back to.
    bool HasRoom() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Returns whether the key was Enter and was taken as an add.
    bool txtInput_KeyPress(const QKeyEvent &key);
    void Append();
    // Marks the prizes beyond the count, after every change of either.
    void MarkUnused();

    Controls c_;
    Messages &messages_;
    // The count confirm would use; an empty box, being retyped, keeps it.
    int count_ = 0;
};
