#pragma once

#include "game/round_record.h"

#include <QByteArray>
#include <QList>
#include <QLocale>

namespace mdlPrint {

// Rounds as a table for a spreadsheet: UTF-8 with a byte-order mark (so
// that a spreadsheet reads the Korean as Korean), comma-separated, one row
// per player under a header row: date, time, game number, player number,
// name, prize, and the prize as a whole number where it is an amount (read
// as the sheet reads it with `locale`), empty otherwise. Fields are quoted
// where they must be, and a text that a spreadsheet would take for a
// formula (starting with =, +, -, @) is marked as text with a leading '.
QByteArray RoundsCsv(const QList<RoundRecord> &rounds, const QLocale &locale);

} // namespace mdlPrint
