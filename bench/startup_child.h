// What bench_startup launches and times: the game, or a minimal Qt program
// to compare it with, each ending as soon as its window has painted once.
#pragma once

#include "app/main_window.h"
#include "platform/messages.h"
#include "widgets/fonts.h"
#include "widgets/zoom_level.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

namespace startup_child {

class SilentMessages final : public Messages
{
public:
    void Inform(const QString &) override {}
    void Warn(const QString &) override {}
    bool Ask(const QString &) override { return false; }
};

// Ends the process as soon as the watched window has painted once.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        return false;
    }
};

enum class Kind { Game, Minimal, MinimalWithText };

inline int Run(Kind kind)
{
    int argc = 1;
    char name[] = "kapuna";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    FirstPaint first;
    if (kind == Kind::Game) {
        fonts::RegisterKoreanSubstitutes();
        SilentMessages messages;
        Services services{messages};
        ZoomLevel zoom;
        MainWindow window(services, zoom);
        window.installEventFilter(&first);
        window.show();
        return app.exec();
    }
    QWidget window;
    window.resize(792, 512);
    if (kind == Kind::MinimalWithText) {
        // One line of Korean: the font database and a Korean font loaded,
        // which any window with text pays for and an empty one does not.
        fonts::RegisterKoreanSubstitutes();
        auto *label = new QLabel(QStringLiteral("게임인원"), &window);
        label->setFont(fonts::Gulim(9.75));
        label->move(20, 20);
    }
    window.installEventFilter(&first);
    window.show();
    return app.exec();
}

} // namespace startup_child
