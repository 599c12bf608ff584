#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <functional>

class Printer;
class SheetSource;
struct GameState;

namespace mdlPrint {

// Lays out and ends the one-page result sheet on printer: title, table of
// players, names and prizes, the date line, the player count and the total
// of the numeric prizes. Resets and fills gPrizeTotal; changes nothing else
// in the game. Amounts are read with QLocale::system(), and the date and
// time are those of the moment the table is finished.
void PrintResultSheet(GameState &state, Printer &printer, const SheetSource &source);

// The same with the locale and the clock given, for tests and tools.
void PrintResultSheet(GameState &state, Printer &printer, const SheetSource &source,
                      const QLocale &locale, const std::function<QDateTime()> &now);

// The short date immediately followed by the time with its seconds, both as
// the locale writes them and without a time zone: on a Korean system
// "01. 5. 12.오후 3:25:10".
QString DateTimeText(const QDateTime &at, const QLocale &locale);

} // namespace mdlPrint
