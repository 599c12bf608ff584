#pragma once

#include <QDateTime>
#include <QPixmap>
#include <QSizeF>
#include <QString>

// What the sheet says under its total, beyond what the Parts of a game
// show: the round's number, and whether the sheet is a reprint or comes
// from a replayed round.
struct SheetNotes
{
    QString number;         // empty: no number line (a round still running)
    QDateTime reprintedAt;  // valid: a sheet printed again from the history
    bool replay = false;    // the round was replayed from a number or a record
    QDateTime playedAt;     // valid: the date line shows this, not the time of printing
};

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
    // The lines under the total; none by default.
    virtual SheetNotes Notes() const { return {}; }
};
