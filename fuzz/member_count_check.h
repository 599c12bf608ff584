#pragma once

#include "widgets/image_list.h"
#include "widgets/picture_button.h"
#include "game/game_state.h"
#include "game/geometry.h"
#include "game/whole_number.h"
#include "setup/member_count.h"
#include "support/recording_surface.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <optional>

// What the player-count box must do whatever reaches it. One input is a
// script for a fresh box with its spinner: the first byte's low bit says
// whether the box takes two characters at most, as the window's does, or
// any number of them; every following line is one step, its first byte
// naming it and the rest its text:
//
//   T text   the program sets the text          F  the focus handler runs
//   O        a focus-out event arrives          Q  a focus-out to a popup
//   U / D    a click on the upper/lower half    S  Step(signed next byte)
//   H        the mouse holds half (signed next byte) for one timer tick
//   K text   a key press typing the text        N  the same, from an IME
//   B        Backspace                          I / P  an IME commit/preedit
//   E / X    the box is enabled / disabled
//
// After every step the box holds "" or a count 2..12 in ASCII digits; a step
// that settles the box leaves a count, an emptied box's last one; a spinner
// step moves the settled
// count by one within 2..12; every drawing is of the count the box then
// holds, made only while the box is enabled; and a change of the text of an
// enabled box to a count is drawn.
namespace fuzz_checks {

namespace member_count_detail {

constexpr int kFewest = 2;
constexpr int kMost = 12;
constexpr int kMaxSteps = 64;

inline std::optional<int> CountOf(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const std::optional<std::int16_t> n = whole_number::ToInt16(text);
    if (!n || *n < kFewest || *n > kMost)
        return std::nullopt;
    return *n;
}

// The count a spinner step starts from: settling turns an empty box into
// the last count it held, the one the columns show.
inline int SettledCount(const QString &text, int last)
{
    return text.isEmpty() ? last : CountOf(text).value_or(-1);
}

inline int IndexByte(QByteArrayView line)
{
    return line.size() > 1 ? int(static_cast<signed char>(line[1])) : 0;
}

inline void SendKey(QLineEdit *box, const QString &text, quint32 nativeKey, int key = 0)
{
    if (key == 0)
        key = text.isEmpty() ? int(Qt::Key_unknown) : int(text.at(0).toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, 0, nativeKey, 0, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, 0, nativeKey, 0, text);
    QCoreApplication::sendEvent(box, &release);
}

struct Rig
{
    explicit Rig(const ImageList &images)
        : halves{new PictureButton(images, 13, 23, &host), new PictureButton(images, 14, 24, &host)}
    {
    }

    GameState state;
    RecordingSurface surface;
    QWidget host;
    QLineEdit *box = new QLineEdit(&host);
    std::array<PictureButton *, 2> halves;
    QTimer timer;
    MemberCount count{state, surface, box, halves, &timer, nullptr};
};

} // namespace member_count_detail

// Empty when every invariant holds, otherwise what broke. Needs a
// QApplication; images may be an empty list.
inline QString CheckMemberCount(QByteArrayView input, const ImageList &images)
{
    using namespace member_count_detail;
    if (input.isEmpty())
        return {};

    Rig rig(images);
    QLineEdit *box = rig.box;
    if ((input[0] & 1) == 0)
        box->setMaxLength(2);
    box->setText(QStringLiteral("2"));
    if (rig.surface.clears != 1 || rig.state.gLadderLeft != geometry::LadderLeft(kFewest))
        return QStringLiteral("the first count was not drawn");

    const QList<QByteArrayView> steps = [&] {
        QList<QByteArrayView> lines;
        QByteArrayView rest = input.sliced(1);
        while (!rest.isEmpty() && lines.size() < kMaxSteps) {
            const qsizetype lf = rest.indexOf('\n');
            lines.append(lf < 0 ? rest : rest.first(lf));
            rest = lf < 0 ? QByteArrayView() : rest.sliced(lf + 1);
        }
        return lines;
    }();

    int last = kFewest;
    for (const QByteArrayView line : steps) {
        if (line.isEmpty())
            continue;
        const char op = line[0];
        const QString text = QString::fromUtf8(line.sliced(1));
        const QString before = box->text();
        const int clearsBefore = rig.surface.clears;
        bool settles = false;
        std::optional<int> expected;

        switch (op) {
        case 'T':
            box->setText(text);
            break;
        case 'F':
            rig.count.txtMember_LostFocus();
            settles = true;
            if (before.isEmpty())
                expected = last;
            break;
        case 'O':
        case 'Q': {
            QFocusEvent out(QEvent::FocusOut, op == 'O' ? Qt::OtherFocusReason : Qt::PopupFocusReason);
            QCoreApplication::sendEvent(box, &out);
            settles = op == 'O';
            if (settles && before.isEmpty())
                expected = last;
            if (op == 'Q' && box->text() != before)
                return QStringLiteral("focus moving to a popup changed the box");
            break;
        }
        case 'U':
        case 'D': {
            const int from = SettledCount(before, last);
            expected = op == 'U' ? std::min(from + 1, kMost) : std::max(from - 1, kFewest);
            rig.count.picUpdown_Click(op == 'U' ? 0 : 1);
            settles = true;
            break;
        }
        case 'S':
        case 'H': {
            const int index = IndexByte(line);
            const bool half = index == 0 || index == 1;
            if (half) {
                const int from = SettledCount(before, last);
                expected = index == 0 ? std::min(from + 1, kMost) : std::max(from - 1, kFewest);
                settles = true;
            }
            if (op == 'S') {
                rig.count.Step(index);
            } else {
                rig.count.picUpdown_MouseDown(index);
                if (!rig.timer.isActive())
                    return QStringLiteral("holding half %1 did not start the repeat").arg(index);
                rig.count.tmrUpdown_Timer();
                if (!half && rig.timer.isActive())
                    return QStringLiteral("a tick for half %1 kept repeating").arg(index);
                rig.count.picUpdown_MouseUp(index);
                if (rig.timer.isActive())
                    return QStringLiteral("releasing half %1 left the repeat running").arg(index);
            }
            if (!half && box->text() != before)
                return QStringLiteral("a step of half %1 changed the box").arg(index);
            break;
        }
        case 'K':
            SendKey(box, text, 0);
            break;
        case 'N':
            SendKey(box, text, 229);
            break;
        case 'B':
            SendKey(box, QString(), 0, Qt::Key_Backspace);
            break;
        case 'I':
        case 'P': {
            QInputMethodEvent event(op == 'P' ? text : QString(), {});
            if (op == 'I')
                event.setCommitString(text);
            QCoreApplication::sendEvent(box, &event);
            break;
        }
        case 'E':
            box->setEnabled(true);
            break;
        case 'X':
            box->setEnabled(false);
            break;
        default:
            break;
        }

        const QString after = box->text();
        const QString where = QStringLiteral(" (step '%1' \"%2\", box \"%3\" before, \"%4\" after)")
                                  .arg(QLatin1Char(op))
                                  .arg(text, before, after);
        if (after.size() > box->maxLength())
            return QStringLiteral("the box outgrew its length") + where;
        const std::optional<int> now = CountOf(after);
        if (!after.isEmpty() && !now)
            return QStringLiteral("the box holds no count") + where;
        if (settles && !now)
            return QStringLiteral("settling left the box empty") + where;
        if (expected && now != expected)
            return QStringLiteral("the box gave %1, expected %2").arg(now.value_or(-1)).arg(*expected)
                   + where;

        if (now)
            last = *now;

        const bool drawn = rig.surface.clears != clearsBefore;
        if (drawn && !box->isEnabled())
            return QStringLiteral("a disabled box drew") + where;
        if (!drawn && box->isEnabled() && now && after != before)
            return QStringLiteral("a new count was not drawn") + where;
        if (drawn) {
            if (!now)
                return QStringLiteral("drew with no count in the box") + where;
            if (rig.surface.lines.size() != *now)
                return QStringLiteral("drew %1 columns").arg(rig.surface.lines.size()) + where;
            if (rig.state.gLadderLeft != geometry::LadderLeft(*now))
                return QStringLiteral("the ladder's left edge is %1").arg(rig.state.gLadderLeft) + where;
        }
    }
    return {};
}

} // namespace fuzz_checks
