#include "contact_sheet.h"

#include "layout.h"

#include "widgets/image_list.h"

#include <QDir>
#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace contact_sheet {

namespace {

constexpr int kEnlarge = 4;
constexpr int kPerRow = 8;
constexpr int kCell = 62 * kEnlarge + 16;
constexpr int kMargin = 16;

QImage Load(const QString &assetsDir, const QString &file)
{
    QImage image(QDir(assetsDir).filePath(file));
    if (image.isNull())
        qFatal("make_artwork: cannot read back %s", qPrintable(file));
    image.setDevicePixelRatio(1);
    return image;
}

void Caption(QPainter &painter, QPoint at, const QString &text)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(at, text);
}

// The faces each button shows at start-up, and where.
std::vector<std::pair<int, QRect>> StartUpFaces()
{
    return {{13, layout::kPicUpdown0}, {14, layout::kPicUpdown1}, {15, layout::kPicAdd},
            {16, layout::kPicDel},     {17, layout::kPicClear},   {18, layout::kPicOk},
            {19, layout::kPicReset},   {43, layout::kPicStart0},  {40, layout::kPicStart1},
            {48, layout::kPicPrint},   {20, layout::kPicAbout},   {21, layout::kPicHelp},
            {22, layout::kPicEnd}};
}

// The window as it looks during a game: setup disabled, a few tokens up.
std::vector<std::pair<int, QRect>> PlayingFaces()
{
    return {{33, layout::kPicUpdown0}, {34, layout::kPicUpdown1}, {35, layout::kPicAdd},
            {36, layout::kPicDel},     {37, layout::kPicClear},   {28, layout::kPicOk},
            {19, layout::kPicReset},   {47, layout::kPicStart0},  {44, layout::kPicStart1},
            {49, layout::kPicPrint},   {30, layout::kPicAbout},   {31, layout::kPicHelp},
            {32, layout::kPicEnd}};
}

QImage Window(const QString &assetsDir, int scale,
              const std::vector<std::pair<int, QRect>> &faces, bool tokens)
{
    const QImage background = Load(assetsDir, ImageList::BackgroundFile(scale));
    QImage window(QSize(792, 512) * scale, QImage::Format_RGB32);
    QPainter painter(&window);
    painter.drawImage(0, 0, background);
    painter.scale(scale, scale);
    // Stand-ins for the controls that are not pictures.
    painter.fillRect(layout::kBannerShadow, QColor::fromRgb(layout::kNavy));
    painter.fillRect(layout::kBanner, QColor(0x20, 0x30, 0x60));
    painter.fillRect(layout::kTxtMember, Qt::white);
    painter.fillRect(layout::kTxtInput, Qt::white);
    painter.fillRect(layout::kLstBul, Qt::white);
    for (const auto &[index, box] : faces) {
        QImage face = Load(assetsDir, ImageList::PictureFile(index, scale));
        face.setDevicePixelRatio(scale);
        painter.save();
        painter.setClipRect(QRect(box.topLeft(), ImageList::PictureSize(index)).intersected(
            QRect(box.topLeft(), box.size().expandedTo(ImageList::PictureSize(index)))));
        painter.drawImage(box.topLeft(), face);
        painter.restore();
    }
    if (tokens) {
        for (int i = 1; i <= 12; ++i) {
            QImage token = Load(assetsDir, ImageList::PictureFile(i, scale));
            token.setDevicePixelRatio(scale);
            painter.drawImage(QPoint(172 + (i - 1) * 52, 100), token);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawLine(188 + (i - 1) * 52, 135, 188 + (i - 1) * 52, 480);
        }
    }
    return window;
}

} // namespace

QImage Sheet(const QString &assetsDir)
{
    const int rows = (ImageList::kCount + kPerRow - 1) / kPerRow;
    std::vector<int> rowHeight(std::size_t(rows), 0);
    for (int i = 1; i <= ImageList::kCount; ++i) {
        int &h = rowHeight[std::size_t((i - 1) / kPerRow)];
        h = std::max(h, ImageList::PictureSize(i).height() * kEnlarge + 26);
    }
    int gridHeight = 0;
    for (int h : rowHeight)
        gridHeight += h;

    const int stripHeight = 100;
    const int iconsHeight = 256 + 40;
    const int width = std::max(kMargin * 2 + kPerRow * kCell, 1590 + 2 * kMargin);
    const int windowsHeight = 1024 + 512 + 60;
    const int height = kMargin + stripHeight + gridHeight + iconsHeight + windowsHeight + kMargin;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor::fromRgb(layout::kPanelBlue));
    QPainter painter(&sheet);

    // Every picture at its real size, in order.
    int x = kMargin;
    int y = kMargin;
    Caption(painter, QPoint(x, y + 10), QStringLiteral("1x, pictures 1-49"));
    for (int i = 1; i <= ImageList::kCount; ++i) {
        const QImage face = Load(assetsDir, ImageList::PictureFile(i, 1));
        if (x + face.width() > width - kMargin) {
            x = kMargin;
            y += 70;
        }
        painter.drawImage(x, y + 20, face);
        x += face.width() + 6;
    }

    // Four times enlarged, pixel for pixel.
    y = kMargin + stripHeight + 50;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < kPerRow; ++c) {
            const int i = r * kPerRow + c + 1;
            if (i > ImageList::kCount)
                break;
            const QImage face = Load(assetsDir, ImageList::PictureFile(i, 1));
            const int cx = kMargin + c * kCell;
            Caption(painter, QPoint(cx, y + 12),
                    QStringLiteral("%1  (%2x%3)").arg(i).arg(face.width()).arg(face.height()));
            painter.drawImage(QRect(cx, y + 18, face.width() * kEnlarge,
                                    face.height() * kEnlarge),
                              face);
        }
        y += rowHeight[std::size_t(r)];
    }

    // Icons and the cursor.
    x = kMargin;
    Caption(painter, QPoint(x, y + 12), QStringLiteral("icon sizes, link cursor 1x / 2x"));
    for (int pixels : ImageList::kIconSizes) {
        painter.drawImage(x, y + 20, Load(assetsDir, ImageList::IconFile(pixels)));
        x += pixels + 12;
    }
    painter.drawImage(x, y + 20, Load(assetsDir, ImageList::LinkCursorFile(1)));
    x += 44;
    painter.drawImage(x, y + 20, Load(assetsDir, ImageList::LinkCursorFile(2)));
    y += iconsHeight;

    Caption(painter, QPoint(kMargin, y + 12), QStringLiteral("window at 2x, start-up faces"));
    painter.drawImage(kMargin, y + 20, Window(assetsDir, 2, StartUpFaces(), false));
    y += 1024 + 30;
    Caption(painter, QPoint(kMargin, y + 12),
            QStringLiteral("window at 1x, during a game (greyed setup, some pressed faces)"));
    painter.drawImage(kMargin, y + 20, Window(assetsDir, 1, PlayingFaces(), true));
    return sheet;
}

} // namespace contact_sheet
