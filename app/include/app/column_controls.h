#pragma once

#include <QObject>
#include <QPixmap>

#include <vector>

class ImageList;
class PenLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class TokenButton;
class QWidget;
class ZoomLevel;

// The per-column control arrays cmdStart, imgPen, txtName and txtbul. Element
// 0 of each is the hidden design-time template; elements 1..N are copies of
// its geometry and settings made by confirm and destroyed at once (never
// deferred) by the next confirm or by Reset, so no stale control can outlive
// its ladder.
class ColumnControls : public QObject
{
    Q_OBJECT

public:
    struct Templates
    {
        TokenButton *start;
        QLineEdit *name;
        QLineEdit *prize;
        QLabel *pen;
    };

    ColumnControls(QWidget *window, const ImageList &images, const ZoomLevel &zoom,
                   Templates templates);
    ~ColumnControls() override;

    // Creates column i's start button, pen, name box and prize box, in that
    // order, placed around the column at x mm. Returns the new name box so
    // the window can give it its tab position.
    QLineEdit *Create(int i, int xMm, int picture, bool startEnabled);
    // Destroys columns 1..count: start button, name box, prize box, pen.
    void Destroy(int count);
    int Count() const { return int(columns_.size()); }

    QPushButton *cmdStart(int i) const;
    QLineEdit *txtName(int i) const;
    QLineEdit *txtbul(int i) const;
    QLabel *imgPen(int i) const;
    // Shows `text` in column i's prize box; a screen reader hears the box by
    // its column and, once it is not empty, its prize.
    void SetPrize(int i, const QString &text);
    // cmdStart(i)'s animal at print resolution, read only when asked for.
    QPixmap PrintPicture(int i) const;

    // Pen i with its lower-left corner at (x, y) mm, shown.
    void MovePen(int i, int xMm, int yMm);
    // Pen i centred on x mm, its bottom on the ladder's bottom end.
    void ParkPen(int i, int centreXMm);

    // Places every column again at the zoom now, from its place in
    // millimetres: sizes from the templates (so after the table has placed
    // them), pictures from the image list's artwork for it, pens where they
    // stood, texts fitted again.
    void Relayout();

signals:
    void startClicked(int i);

private:
    static QString PrizeName(int i, const QString &prize);

    struct Column
    {
        TokenButton *start = nullptr;
        PenLabel *pen = nullptr;
        QLineEdit *name = nullptr;
        QLineEdit *prize = nullptr;
        int picture = 0;
        int xMm = 0;
        // Where the pen stands in mm: hidden, its lower-left corner at a
        // point of the path, or parked centred on a column.
        enum class Pen { Hidden, Moved, Parked } penAt = Pen::Hidden;
        int penXMm = 0, penYMm = 0;
    };
    const Column *At(int i) const;
    Column *At(int i);
    void Place(Column &column) const;
    void PlacePen(Column &column) const;
    int Px(double mm) const;
    int CentredLeft(int xMm, int width) const;

    QWidget *window_;
    const ImageList &images_;
    const ZoomLevel &zoom_;
    Templates templates_;
    std::vector<Column> columns_;
};
