#include "platform/messages.h"

#include "platform/dialog_zoom.h"

#include <algorithm>

namespace {

// A path is one long word to the line breaker, which at the end of its
// room would cut it anywhere, inside a name too, or at a blank inside a
// name. The path, from the word where its first separator stands to the
// end of the text (where the messages put it), gets an invisible break
// after each separator and blanks that do not break, so it wraps between
// folders only.
QString BreakableAfterSeparators(QString text)
{
    constexpr QChar kZeroWidthSpace(0x200B);
    constexpr QChar kNoBreakSpace(0x00A0);
    const auto isSeparator = [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); };
    const qsizetype first = std::find_if(text.cbegin(), text.cend(), isSeparator) - text.cbegin();
    if (first == text.size())
        return text;
    const qsizetype start = text.lastIndexOf(QLatin1Char(' '), first) + 1;
    for (qsizetype i = text.size() - 1; i >= start; --i) {
        if (isSeparator(text[i]))
            text.insert(i + 1, kZeroWidthSpace);
        else if (text[i] == QLatin1Char(' '))
            text[i] = kNoBreakSpace;
    }
    return text;
}

} // namespace

MessageBoxMessages::MessageBoxMessages(const DialogZoom &zoom, QWidget *parent)
    : zoom_(zoom)
    , parent_(parent)
{
}

std::unique_ptr<QMessageBox> MessageBoxMessages::MakeBox(QMessageBox::Icon icon,
                                                         const QString &text,
                                                         QMessageBox::StandardButtons buttons) const
{
    // Over the window that asked, at the game's zoom: a box without an
    // owner may open anywhere on the screen, behind the game under some
    // window managers.
    auto box = std::make_unique<QMessageBox>(icon, QStringLiteral("Kapuna"),
                                             BreakableAfterSeparators(text), buttons,
                                             dialog_zoom::OwnerWindow(parent_));
    if (buttons & QMessageBox::No)
        box->setDefaultButton(QMessageBox::No);
    dialog_zoom::Apply(box.get(), zoom_);
    return box;
}

void MessageBoxMessages::Inform(const QString &text)
{
    MakeBox(QMessageBox::Information, text)->exec();
}

void MessageBoxMessages::Warn(const QString &text)
{
    MakeBox(QMessageBox::Warning, text)->exec();
}

bool MessageBoxMessages::Ask(const QString &question)
{
    return MakeBox(QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No)->exec()
           == QMessageBox::Yes;
}
