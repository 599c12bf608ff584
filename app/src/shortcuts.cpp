#include "app/shortcuts.h"

#include "app/column_controls.h"
#include "app/controls.h"
#include "app/share.h"
#include "widgets/picture_button.h"

#include <QAction>
#include <QPushButton>
#include <QShortcut>

#include <iterator>

namespace {

struct Key
{
    const char *control; // object name of a picture button or an action
    const char *keys;    // portable text of the key sequence
};

// Game flow on the function keys, the window's own matters on Ctrl like
// other programs, set-up details on Alt beside the keys they resemble.
constexpr Key kKeys[] = {
    {"picHelp", "F1"},
    {"picOk", "F2"},
    {"picReset", "F3"},
    {"picStart0", "F5"},
    {"picStart1", "F6"},
    {"picPrint", "Ctrl+P"},
    {"actSavePicture", "Ctrl+S"},
    {"actSavePdf", "Ctrl+Shift+S"},
    {"picAbout", "Ctrl+I"},
    {"picEnd", "Ctrl+Q"},
    {"picUpdown0", "Alt+Up"},
    {"picUpdown1", "Alt+Down"},
    {"picAdd", "Alt+Ins"},
    {"picDel", "Alt+Del"},
    {"picClear", "Alt+Shift+Del"},
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

Shortcuts::Shortcuts(QWidget *window, ColumnControls &columns, Share &share)
    : QObject(window)
    , window_(window)
    , columns_(columns)
{
    for (const Key &k : kKeys) {
        const QKeySequence key(QLatin1String(k.keys), QKeySequence::PortableText);
        const QString name = QLatin1String(k.control);
        if (QAction *action = name == share.SavePictureAction()->objectName() ? share.SavePictureAction()
                              : name == share.SavePdfAction()->objectName()   ? share.SavePdfAction()
                                                                              : nullptr) {
            // Shown beside the action in the print button's menu.
            action->setShortcut(key);
            continue;
        }
        auto *button = Control<PictureButton>(window, name);
        Q_ASSERT_X(button, "Shortcuts", k.control);
        // The four with a tooltip keep their words; the others are named as
        // a screen reader names them.
        button->setToolTip(
            WithKey(button->toolTip().isEmpty() ? button->accessibleName() : button->toolTip(), key));
        auto *shortcut = new QShortcut(key, window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, k] { Press(k.control); });
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

QKeySequence Shortcuts::KeyOf(const QString &objectName)
{
    for (const Key &k : kKeys) {
        if (objectName == QLatin1String(k.control))
            return QKeySequence(QLatin1String(k.keys), QKeySequence::PortableText);
    }
    return {};
}

void Shortcuts::LabelStartButtons()
{
    for (int i = 1; i <= std::min(columns_.Count(), kMostStartKeys); ++i) {
        QPushButton *start = columns_.cmdStart(i);
        start->setToolTip(WithKey(start->accessibleName(), StartKey(i)));
    }
}

void Shortcuts::Press(const char *name)
{
    // A disabled or hidden button takes no click, so it takes no key either.
    auto *button = Control<PictureButton>(window_, QLatin1String(name));
    if (button && button->isEnabled() && button->isVisible())
        emit button->clicked();
}

void Shortcuts::Start(int i)
{
    if (i > columns_.Count())
        return;
    QPushButton *start = columns_.cmdStart(i);
    if (start && start->isEnabled() && start->isVisible())
        start->click();
}
