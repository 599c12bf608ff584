#pragma once

#include <QObject>

class Messages;
class PictureButton;
class QLineEdit;
class QListWidget;

// The prize list: the entry box, the list and its add, delete and delete-all
// buttons. The list holds at most as many prizes as the member count says.
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

private:
    Controls c_;
    Messages &messages_;
};
