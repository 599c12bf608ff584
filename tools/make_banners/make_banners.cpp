// Draws the default banners, 341 x 49 pixels each at scale 1, into the
// folder given as the first argument:
//   banner_players.png, banner_print.png       still pictures
//   ladder/frame_NN.png and ladder/delays.txt  frames of the animated banner,
//                                              one "file delay-in-1/100-s" a line
// A second argument, 2 or 4, draws the same pictures at that many times the
// pixels, for sharper screens and zoomed windows: the stills are then named
// banner_players@2x.png and so on (the frames keep their names; the script
// names the GIF). Every design stays in the 341 x 49 coordinates of scale 1.
// Text uses the Nanum fonts and the animals the Noto Color Emoji font (both
// Debian packages under the SIL Open Font License).
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr QSize kSize(341, 49);

QFont Rounded(int pixels, bool bold = true)
{
    QFont font(QStringLiteral("NanumSquareRound"));
    font.setPixelSize(pixels);
    font.setWeight(bold ? QFont::ExtraBold : QFont::Normal);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// Pixels per design pixel of every picture drawn: 1, 2 or 4.
int gScale = 1;

QImage Canvas()
{
    QImage image(kSize * gScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A painter on `image` that takes design coordinates.
void Begin(QPainter &p, QImage &image)
{
    p.begin(&image);
    p.scale(gScale, gScale);
}

// A rounded card with a soft top-to-bottom gradient and a light rim, so
// every banner reads as one friendly tile on the window's navy shadow.
void Card(QPainter &p, QColor top, QColor bottom)
{
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, kSize.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRect(QPoint(0, 0), kSize));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, kSize.width() - 3, kSize.height() - 3), 6, 6);
}

// Text with a one-pixel drop shadow, left-aligned on its baseline box.
void Caption(QPainter &p, const QRectF &box, const QString &text, const QFont &font,
             QColor colour, QColor shadow, Qt::Alignment align = Qt::AlignVCenter | Qt::AlignLeft)
{
    p.setFont(font);
    p.setPen(shadow);
    p.drawText(box.translated(1, 1), align, text);
    p.setPen(colour);
    p.drawText(box, align, text);
}

bool Save(const QImage &image, const QString &path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

// --- 12명까지 함께! -------------------------------------------------------

QImage Players()
{
    QImage image = Canvas();
    QPainter p;
    Begin(p, image);
    Card(p, QColor(0xff, 0xc8, 0x57), QColor(0xff, 0x93, 0x3f));

    Caption(p, QRectF(14, 0, 170, 30), QStringLiteral("12명까지 함께!"), Rounded(21),
            QColor(0x5a, 0x25, 0x00), QColor(255, 240, 200, 200));
    Caption(p, QRectF(15, 27, 170, 18), QStringLiteral("둘이서도, 열두 명도 한 판에"),
            Rounded(11, false), QColor(0x6b, 0x33, 0x08), QColor(255, 240, 200, 160));

    // The twelve animals of the game's tokens, in their order, on white
    // discs in two rows.
    const QStringList animals{u"🐶"_qs, u"🐔"_qs, u"🐷"_qs, u"🐴"_qs, u"🐍"_qs, u"🐮"_qs,
                              u"🐑"_qs, u"🐲"_qs, u"🐵"_qs, u"🐭"_qs, u"🐰"_qs, u"🐯"_qs};
    QFont emoji(QStringLiteral("Noto Color Emoji"));
    emoji.setPixelSize(15);
    p.setFont(emoji);
    for (int i = 0; i < animals.size(); ++i) {
        const QPointF centre(200 + 23 * (i % 6), 13 + 23 * (i / 6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 235));
        p.drawEllipse(centre, 10.5, 10.5);
        p.setPen(Qt::black);
        p.drawText(QRectF(centre.x() - 11, centre.y() - 11, 22, 22), Qt::AlignCenter, animals.at(i));
    }
    return image;
}

// --- 결과표를 인쇄하세요 ---------------------------------------------------

void Printer(QPainter &p, QPointF at)
{
    p.save();
    p.translate(at);
    p.setRenderHint(QPainter::Antialiasing);
    // Paper coming out on top, with the result lines.
    p.setPen(QPen(QColor(0x1f, 0x6b, 0x57), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 2, 20, 20));
    p.setPen(QPen(QColor(0x2b, 0xb3, 0x8a), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(10, 7 + 4.5 * i), QPointF(i == 2 ? 18 : 24, 7 + 4.5 * i));
    // The printer body.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x79));
    p.drawRoundedRect(QRectF(1, 17, 32, 16), 4, 4);
    p.setBrush(QColor(0x36, 0x73, 0xa8));
    p.drawRoundedRect(QRectF(1, 17, 32, 6), 3, 3);
    p.setBrush(QColor(0xff, 0xd1, 0x4a));
    p.drawEllipse(QPointF(27.5, 27), 2, 2);
    // The printed sheet leaving below.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 30, 18, 12));
    p.setPen(QPen(QColor(0xe8, 0x4a, 0x5f), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 35), QPointF(23, 35));
    p.restore();
}

QImage Print()
{
    QImage image = Canvas();
    QPainter p;
    Begin(p, image);
    Card(p, QColor(0x6b, 0xe0, 0xb5), QColor(0x22, 0xa9, 0x80));
    Printer(p, QPointF(12, 3));

    Caption(p, QRectF(58, 0, 270, 30), QStringLiteral("결과표를 인쇄하세요"), Rounded(20),
            Qt::white, QColor(0x0b, 0x5a, 0x43, 190));
    Caption(p, QRectF(59, 27, 270, 18), QStringLiteral("누가 무엇에 당첨됐는지 한 장에 쏙!"),
            Rounded(11, false), QColor(0xf2, 0xff, 0xf9), QColor(0x0b, 0x5a, 0x43, 150));
    return image;
}

// --- 사다리 타기로 오늘의 당번 정하기! (animated) ----------------------------

// The little ladder on the left: three columns and their rungs, and the
// path the pen takes from the top of column 1.
constexpr double kColumns[] = {16, 29, 42};
constexpr double kTop = 9, kBottom = 37;

struct Rung
{
    int leftColumn;
    double y;
};
constexpr Rung kRungs[] = {{0, 14}, {1, 19}, {0, 24}, {1, 28}, {0, 33}};

QList<QPointF> PenPath()
{
    QList<QPointF> path{{kColumns[0], kTop}};
    int column = 0;
    for (const Rung &r : kRungs) {
        if (r.leftColumn != column && r.leftColumn + 1 != column)
            continue;
        path << QPointF(kColumns[column], r.y);
        column = r.leftColumn == column ? column + 1 : column - 1;
        path << QPointF(kColumns[column], r.y);
    }
    path << QPointF(kColumns[column], kBottom);
    return path;
}

// The first `length` pixels of the path, as a polyline.
QList<QPointF> PathPrefix(const QList<QPointF> &path, double length)
{
    QList<QPointF> prefix{path.first()};
    for (int i = 1; i < path.size() && length > 0; ++i) {
        const QPointF step = path.at(i) - path.at(i - 1);
        const double span = std::hypot(step.x(), step.y());
        const double t = std::min(1.0, length / span);
        prefix << path.at(i - 1) + step * t;
        length -= span;
    }
    return prefix;
}

double PathLength(const QList<QPointF> &path)
{
    double length = 0;
    for (int i = 1; i < path.size(); ++i)
        length += std::hypot(path.at(i).x() - path.at(i - 1).x(), path.at(i).y() - path.at(i - 1).y());
    return length;
}

void Star(QPainter &p, QPointF centre, double outer, QColor colour)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? outer * 0.45 : outer;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF v = centre + QPointF(std::cos(a) * r, std::sin(a) * r);
        i ? star.lineTo(v) : star.moveTo(v);
    }
    star.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(star);
}

QImage LadderFrame(double travelled, int sparkle)
{
    QImage image = Canvas();
    QPainter p;
    Begin(p, image);
    // Flat colours: the GIF keeps them exactly, with no dithering noise.
    Card(p, QColor(0x3d, 0x9b, 0xf0), QColor(0x3d, 0x9b, 0xf0));
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    for (double x : kColumns)
        p.drawLine(QPointF(x, kTop), QPointF(x, kBottom));
    for (const Rung &r : kRungs)
        p.drawLine(QPointF(kColumns[r.leftColumn], r.y), QPointF(kColumns[r.leftColumn + 1], r.y));

    const QList<QPointF> trail = PathPrefix(PenPath(), travelled);
    p.setPen(QPen(QColor(0xff, 0xd6, 0x3a), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(trail.data(), int(trail.size()));
    p.setPen(QPen(QColor(0xc2, 0x3b, 0x22), 1.4));
    p.setBrush(QColor(0xff, 0x5a, 0x3c));
    p.drawEllipse(trail.last(), 3.6, 3.6);
    if (sparkle > 0)
        Star(p, QPointF(trail.last().x(), kBottom + 3), 3 + 1.3 * sparkle, QColor(0xff, 0xe1, 0x4d));

    p.setRenderHint(QPainter::Antialiasing, false);
    Caption(p, QRectF(56, 0, 282, 30), QStringLiteral("사다리 타기로 오늘의 당번 정하기!"),
            Rounded(16), Qt::white, QColor(0x12, 0x4a, 0x8f));
    Caption(p, QRectF(57, 26, 282, 18), QStringLiteral("청소, 커피, 발표 순서도 공정하게"),
            Rounded(11, false), QColor(0xe6, 0xf3, 0xff), QColor(0x12, 0x4a, 0x8f));
    return image;
}

bool Ladder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QFile list(folder + QStringLiteral("/delays.txt"));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream delays(&list);

    const double length = PathLength(PenPath());
    constexpr int kSteps = 24;
    int n = 0;
    auto frame = [&](const QImage &image, int delay) {
        const QString name = QStringLiteral("frame_%1.png").arg(n++, 2, 10, QLatin1Char('0'));
        delays << name << ' ' << delay << '\n';
        return Save(image, folder + QLatin1Char('/') + name);
    };
    bool ok = frame(LadderFrame(0, 0), 60);
    for (int i = 1; i <= kSteps; ++i)
        ok = ok && frame(LadderFrame(length * i / kSteps, 0), 7);
    for (int s = 1; s <= 3; ++s)
        ok = ok && frame(LadderFrame(length, s), 12);
    ok = ok && frame(LadderFrame(length, 2), 160);
    return ok;
}

// `stem` with the suffix of the scale: banner_print.png, banner_print@2x.png.
QString Named(const QString &stem)
{
    return gScale > 1 ? stem + QStringLiteral("@%1x.png").arg(gScale) : stem + QStringLiteral(".png");
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc == 3)
        gScale = std::atoi(argv[2]);
    if ((argc != 2 && argc != 3) || (gScale != 1 && gScale != 2 && gScale != 4)) {
        std::fprintf(stderr, "usage: make_banners OUTPUT_FOLDER [1|2|4]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out))
        return 1;
    const bool ok = Save(Players(), out + QLatin1Char('/') + Named(QStringLiteral("banner_players")))
                    && Save(Print(), out + QLatin1Char('/') + Named(QStringLiteral("banner_print")))
                    && Ladder(out + QStringLiteral("/ladder"));
    return ok ? 0 : 1;
}
