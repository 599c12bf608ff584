#pragma once

#include <QPixmap>
#include <QSizeF>
#include <QString>

// What the result sheet reads from the main window: the per-player controls
// and the pen template's size. Player numbers count from 1.
class SheetSource
{
public:
    virtual ~SheetSource() = default;

    // The text in txtName(i).
    virtual QString NameText(int i) const = 0;
    // The animal on cmdStart(i), 32 by 32 logical pixels, drawn for paper.
    virtual QPixmap StartPicture(int i) const = 0;
    // imgPen(0)'s width and height in millimetres of the main window.
    virtual QSizeF PenTemplateSizeMm() const = 0;
};
