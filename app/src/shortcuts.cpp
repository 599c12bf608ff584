#include "app/shortcuts.h"

#include "app/column_controls.h"
#include "app/controls.h"
#include "app/share.h"
#include "widgets/picture_button.h"

#include <QAction>
#include <QPushButton>
#include <QShortcut>

#include <variant>

namespace {

// What a key presses: a picture button of the window, or one of Share's
// actions; both typed, so a key for a control that does not exist does not
// compile.
using Target = std::variant<PictureButton *Controls::*, QAction *(Share::*)() const>;

struct Key
{
    Target target;
    const char *keys; // portable text of the key sequence
};

// Game flow on the function keys, the window's own matters on Ctrl like
// other programs, set-up details on Alt beside the keys they resemble.
constexpr Key kKeys[] = {
    {&Controls::picHelp, "F1"},
    {&Controls::picOk, "F2"},
    {&Controls::picReset, "F3"},
    {&Controls::picStart0, "F5"},
    {&Controls::picStart1, "F6"},
    {&Controls::picPrint, "Ctrl+P"},
    {&Share::SavePictureAction, "Ctrl+S"},
    {&Share::SavePdfAction, "Ctrl+Shift+S"},
    {&Share::HistoryAction, "Ctrl+H"},
    {&Share::NumberAction, "Ctrl+G"},
    {&Controls::picAbout, "Ctrl+I"},
    {&Controls::picEnd, "Ctrl+Q"},
    {&Controls::picUpdown0, "Alt+Up"},
    {&Controls::picUpdown1, "Alt+Down"},
    {&Controls::picAdd, "Alt+Ins"},
    {&Controls::picDel, "Alt+Del"},
    {&Controls::picClear, "Alt+Shift+Del"},
};

constexpr int kMostStartKeys = 12;
// Along the top row of the keyboard: 1..9, 0, then the two keys after it.
constexpr const char *kStartKeys[kMostStartKeys] = {"Alt+1", "Alt+2", "Alt+3", "Alt+4",
                                                    "Alt+5", "Alt+6", "Alt+7", "Alt+8",
                                                    "Alt+9", "Alt+0", "Alt+-", "Alt+="};

QString WithKey(const QString &text, const QKeySequence &key)
{
    return QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::PortableText));
}

} // namespace

Shortcuts::Shortcuts(QWidget *window, const Controls &controls, ColumnControls &columns,
                     Share &share)
    : QObject(window)
    , columns_(columns)
{
    for (const Key &k : kKeys) {
        const QKeySequence key(QLatin1String(k.keys), QKeySequence::PortableText);
        if (const auto *action = std::get_if<QAction *(Share::*)() const>(&k.target)) {
            // Shown beside the action in the print button's menu.
            (share.**action)()->setShortcut(key);
            continue;
        }
        PictureButton *button = controls.*std::get<PictureButton *Controls::*>(k.target);
        // The four with a tooltip keep their words; the others are named as
        // a screen reader names them.
        button->setToolTip(
            WithKey(button->toolTip().isEmpty() ? button->accessibleName() : button->toolTip(), key));
        auto *shortcut = new QShortcut(key, window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, button] { Press(button); });
    }
    for (int i = 1; i <= kMostStartKeys; ++i) {
        auto *shortcut = new QShortcut(StartKey(i), window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, i] { Start(i); });
    }
}

QKeySequence Shortcuts::StartKey(int i)
{
    if (i < 1 || i > kMostStartKeys)
        return {};
    return QKeySequence(QLatin1String(kStartKeys[i - 1]), QKeySequence::PortableText);
}

void Shortcuts::LabelStartButtons()
{
    for (int i = 1; i <= std::min(columns_.Count(), kMostStartKeys); ++i) {
        QPushButton *start = columns_.cmdStart(i);
        start->setToolTip(WithKey(start->accessibleName(), StartKey(i)));
    }
}

void Shortcuts::Press(PictureButton *button)
{
    // A disabled or hidden button takes no click, so it takes no key either.
    button->Click();
}

void Shortcuts::Start(int i)
{
    if (i > columns_.Count())
        return;
    QPushButton *start = columns_.cmdStart(i);
    if (start && start->isEnabled() && start->isVisible())
        start->click();
}
