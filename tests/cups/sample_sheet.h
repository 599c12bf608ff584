#pragma once

#include "game/game_state.h"
#include "print/sheet_source.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QStringList>

#include <array>

// A finished twelve-player game as the window would hand it to the sheet:
// Korean names, one of them empty, and prizes that exercise the amount
// rules (a word, a typed separator, a negative, a fraction).
namespace sample_sheet {

constexpr int kPlayers = 12;

inline const QStringList &Names()
{
    static const QStringList names = {
        QStringLiteral("김민준"), QStringLiteral("이서연"), QStringLiteral("박지호"),
        QStringLiteral("최수아"), QStringLiteral("정예준"), QStringLiteral("강하은"),
        QStringLiteral("조도윤"), QStringLiteral("윤지우"), QString(),
        QStringLiteral("임서윤"), QStringLiteral("한주원"), QStringLiteral("Alice")};
    return names;
}

inline const QStringList &Results()
{
    static const QStringList results = {
        QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("꽝"),
        QStringLiteral("5000"), QStringLiteral("99999"), QStringLiteral("1,000"),
        QStringLiteral("-500"), QStringLiteral("2.5"), QStringLiteral("상품권"),
        QStringLiteral("10000"), QStringLiteral("꽝"), QStringLiteral("300")};
    return results;
}

// The prizes as the sheet prints them.
inline const QStringList &PrintedResults()
{
    static const QStringList printed = {
        QStringLiteral("1,000"), QStringLiteral("2,000"), QStringLiteral("꽝"),
        QStringLiteral("5,000"), QStringLiteral("99,999"), QStringLiteral("1,000"),
        QStringLiteral("-500"), QStringLiteral("2.5"), QStringLiteral("상품권"),
        QStringLiteral("10,000"), QStringLiteral("꽝"), QStringLiteral("300")};
    return printed;
}

// 1000 + 2000 + 5000 + 99999 + 1000 - 500 + 2 + 10000 + 300
constexpr int kTotal = 118801;
inline const QString kTotalLine = QStringLiteral(" 118,801 원");

inline GameState FinishedGame()
{
    GameState state;
    state.gPhase = GamePhase::Confirmed;
    state.gMemberCount = kPlayers;
    state.mStartedCount = kPlayers;
    state.gResults.Recreate(kPlayers);
    for (int i = 1; i <= kPlayers; ++i)
        state.gResults(i) = Results().at(i - 1);
    return state;
}

// Start-button stand-ins: a green disc with the player's number, so the
// pictures are easy to tell from the red of the sheet.
inline QPixmap StartPicture(int i)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 150, 70));
    painter.drawEllipse(QRectF(2, 2, 28, 28));
    painter.setPen(Qt::white);
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::number(i));
    return pixmap;
}

class Source final : public SheetSource
{
public:
    QString NameText(int i) const override { return Names().at(i - 1); }
    QPixmap StartPicture(int i) const override { return sample_sheet::StartPicture(i); }
    // 480 twips square.
    QSizeF PenTemplateSizeMm() const override { return QSizeF(480.0 / 1440.0 * 25.4, 480.0 / 1440.0 * 25.4); }
};

} // namespace sample_sheet
