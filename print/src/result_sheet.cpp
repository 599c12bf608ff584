#include "print/result_sheet.h"

#include "game/game_state.h"
#include "platform/printer.h"
#include "print/amount.h"
#include "print/sheet_source.h"
#include "print/vel_print.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace mdlPrint {

namespace {

using VelPrint::AlignCenter;
using VelPrint::AlignLeft;
using VelPrint::AlignRight;
using VelPrint::DrawBox;
using VelPrint::DrawLine;
using VelPrint::PrintInBox;

const QString kFontName = QStringLiteral("굴림");
constexpr double kTitleSize = 30;
constexpr double kTableSize = 15;
constexpr double kDateSize = 10;
// The number's twelve characters and its label fill the 70 mm of the lines
// above only at a smaller size than theirs.
constexpr double kNumberSize = 12;

// Column edges of the table, in millimetres from the printable area's left.
constexpr std::int16_t kPictureLeft = 30;
constexpr std::int16_t kNameLeft = 50;
constexpr std::int16_t kPrizeLeft = 100;
constexpr std::int16_t kCheckLeft = 150;
constexpr std::int16_t kTableRight = 170;
constexpr std::int16_t kHeaderTop = 70;
constexpr std::int16_t kRowHeight = 10;
constexpr std::int16_t kFirstRowTop = 80;

// Row edges are 16-bit like every position on the sheet; a player count
// that would push them past that is a printing error, not a wrapped row.
std::int16_t Below(std::int16_t y, std::int16_t by)
{
    const int sum = int(y) + int(by);
    if (sum > std::numeric_limits<std::int16_t>::max())
        throw PrinterError("the table does not fit the page coordinates");
    return std::int16_t(sum);
}

// Literal text in a Qt date-time format sits between single quotes.
QString WithoutQuoted(const QString &format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted)
            out += c;
    }
    return out;
}

// The locale's short time, which is the usual clock face, with the seconds
// put after the minutes the way the minutes follow the hours ("AP h:mm"
// becomes "AP h:mm:ss"). Where that shape is not there to copy, the long
// form without its time zone.
QString TimeFormat(const QLocale &locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (WithoutQuoted(format).contains(QLatin1Char('s')))
        return format;

    const qsizetype minutesEnd = format.lastIndexOf(QLatin1Char('m'));
    qsizetype minutesStart = minutesEnd;
    while (minutesStart > 0 && format.at(minutesStart - 1) == QLatin1Char('m'))
        --minutesStart;
    qsizetype hoursEnd = minutesStart;
    while (hoursEnd > 0 && format.at(hoursEnd - 1) != QLatin1Char('h')
           && format.at(hoursEnd - 1) != QLatin1Char('H'))
        --hoursEnd;
    const QString separator = format.mid(hoursEnd, minutesStart - hoursEnd);
    const bool plainSeparator = !separator.isEmpty()
        && std::none_of(separator.begin(), separator.end(),
                        [](QChar c) { return c.isLetter() || c == QLatin1Char('\''); });
    if (minutesEnd >= 0 && hoursEnd > 0 && plainSeparator) {
        format.insert(minutesEnd + 1, separator + QStringLiteral("ss"));
        return format;
    }

    QString longFormat = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : longFormat) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            out += c;
    }
    return out.trimmed();
}

} // namespace

QString DateTimeText(const QDateTime &at, const QLocale &locale)
{
    return locale.toString(at.date(), QLocale::ShortFormat)
        + locale.toString(at.time(), TimeFormat(locale));
}

void PrintResultSheet(GameState &state, Printer &printer, const SheetSource &source)
{
    PrintResultSheet(state, printer, source, QLocale::system(), &QDateTime::currentDateTime);
}

void PrintResultSheet(GameState &state, Printer &printer, const SheetSource &source,
                      const QLocale &locale, const std::function<QDateTime()> &now)
{
    state.gPrizeTotal = 0;

    printer.SetFontBold(true);
    printer.SetPaperSize(PaperSize::A4);
    printer.SetScaleUnit(ScaleUnit::Millimetres);
    printer.SetFontName(kFontName);
    printer.SetFontSize(kTitleSize);

    // The title comes first: it turns the foreground red, and every line
    // after it takes that colour.
    PrintInBox(printer, PrintRect{30, 55, 45, 165}, QStringLiteral("KAPUNA 게임 결과"), AlignCenter);

    printer.SetFontSize(kTableSize);

    const std::int16_t headerBottom = kHeaderTop + kRowHeight;
    DrawBox(printer, kPictureLeft, kHeaderTop, kNameLeft, headerBottom);
    DrawBox(printer, kNameLeft, kHeaderTop, kPrizeLeft, headerBottom);
    DrawBox(printer, kPrizeLeft, kHeaderTop, kCheckLeft, headerBottom);
    DrawBox(printer, kCheckLeft, kHeaderTop, kTableRight, headerBottom);
    DrawLine(printer, kPictureLeft, kHeaderTop, kNameLeft, headerBottom);

    PrintInBox(printer, PrintRect{kHeaderTop, headerBottom, kNameLeft, kPrizeLeft},
               QStringLiteral("이 름"), AlignCenter);
    PrintInBox(printer, PrintRect{kHeaderTop, headerBottom, kPrizeLeft, kCheckLeft},
               QStringLiteral("당첨내역"), AlignCenter);
    PrintInBox(printer, PrintRect{kHeaderTop, headerBottom, kCheckLeft, kTableRight},
               QStringLiteral("확 인"), AlignCenter);

    // Every row's picture is taken to have the pen template's size, so one
    // offset centres them all in their 20 x 10 cells.
    const QSizeF pen = source.PenTemplateSizeMm();
    const float dx = (20.0f - float(pen.width())) / 2.0f;
    const float dy = (10.0f - float(pen.height())) / 2.0f;

    const std::int16_t n = state.gMemberCount;
    std::int16_t y = kFirstRowTop;
    for (std::int16_t i = 1; i <= n; ++i) {
        const std::int16_t bottom = Below(y, kRowHeight);

        DrawBox(printer, kPictureLeft, y, kNameLeft, bottom);
        printer.PaintPicture(source.StartPicture(i), float(kPictureLeft) + dx, float(y) + dy);

        DrawBox(printer, kNameLeft, y, kPrizeLeft, bottom);
        PrintInBox(printer, PrintRect{y, bottom, kNameLeft, kPrizeLeft}, source.NameText(i),
                   AlignLeft);

        // A player whose descent has not reached the bottom yet has no
        // result: the cell stays empty and adds nothing.
        const QString prize = state.gResults.Has(i) ? state.gResults(i) : QString();
        DrawBox(printer, kPrizeLeft, y, kCheckLeft, bottom);
        state.gPrizeTotal = AddAmount(state.gPrizeTotal, prize, locale);
        PrintInBox(printer, PrintRect{y, bottom, kPrizeLeft, kCheckLeft},
                   FormatAmount(prize, locale), AlignRight);

        DrawBox(printer, kCheckLeft, y, kTableRight, bottom);
        y = bottom;
    }

    // The date and time are those of the finished table, or, for a sheet
    // printed again, of the round itself.
    const SheetNotes notes = source.Notes();
    printer.SetFontSize(kDateSize);
    PrintInBox(printer, PrintRect{60, 70, 115, 170},
               QStringLiteral("일시: ") + DateTimeText(notes.playedAt.isValid() ? notes.playedAt : now(), locale),
               AlignRight);

    printer.SetFontSize(kTableSize);
    const std::int16_t b = y;
    const PrintRect players{Below(b, 10), Below(b, 20), 100, 170};
    PrintInBox(printer, players, QStringLiteral("게임인원:"), AlignLeft);
    PrintInBox(printer, players, QString::number(n) + QStringLiteral(" 명"), AlignRight);

    const PrintRect total{Below(b, 20), Below(b, 30), 100, 170};
    PrintInBox(printer, total, QStringLiteral("당첨총액:"), AlignLeft);
    PrintInBox(printer, total,
               QStringLiteral(" ") + FormatAmount(QString::number(state.gPrizeTotal), locale)
                   + QStringLiteral(" 원"),
               AlignRight);

    // The round's number, once it is over, lets anyone rebuild the ladder;
    // a reprint and a replay say what they are.
    std::int16_t top = Below(b, 30);
    if (!notes.number.isEmpty()) {
        printer.SetFontSize(kNumberSize);
        const PrintRect number{top, Below(top, 10), 100, 170};
        PrintInBox(printer, number, QStringLiteral("게임 번호:"), AlignLeft);
        PrintInBox(printer, number, notes.number, AlignRight);
        top = Below(top, 10);
    }
    if (notes.replay || notes.reprintedAt.isValid())
        printer.SetFontSize(kDateSize);
    if (notes.replay) {
        PrintInBox(printer, PrintRect{top, Below(top, 7), 100, 170},
                   QStringLiteral("다시 보기로 진행한 게임"), AlignRight);
        top = Below(top, 7);
    }
    if (notes.reprintedAt.isValid()) {
        PrintInBox(printer, PrintRect{top, Below(top, 7), 100, 170},
                   QStringLiteral("다시 인쇄: ") + DateTimeText(notes.reprintedAt, locale), AlignRight);
    }

    printer.EndDoc();
}

} // namespace mdlPrint
