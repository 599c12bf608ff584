#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>

// Types `text` key by key. QTest::keyClicks knows only ASCII; a Korean
// syllable arrives as a key press carrying its text, as a keyboard layout
// without an input method delivers it.
inline void Type(QWidget *target, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(target, char(c.unicode()));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(target, &release);
    }
}
