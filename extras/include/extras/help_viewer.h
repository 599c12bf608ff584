#pragma once

#include "widgets/zoom_level.h"

#include <QPointer>
#include <QString>

class HelpWindow;

// The help viewer: shows a help file in a window of its own that runs beside
// the game. ShowHelp returns at once; the viewer reports a missing or
// unreadable file itself, and the program shows nothing about it.
class HelpViewer
{
public:
    // Open the file at its start (its table of contents).
    static constexpr int kCommandOpenAtStart = 15;

    virtual ~HelpViewer() = default;
    virtual void ShowHelp(const QString &filePath, int command) = 0;
};

// Our own viewer: one top-level window, "Kapuna 도움말". Asking again while it
// is open reloads the file into the same window and brings it to the front.
// Any command opens the file at its start. The window opens at the zoom
// `zoom` holds then and follows it while it is open.
class WindowHelpViewer final : public HelpViewer
{
public:
    explicit WindowHelpViewer(const ZoomLevel &zoom = ZoomLevel::Unzoomed());
    // The window goes with the viewer, so it never outlives the program.
    ~WindowHelpViewer() override;
    WindowHelpViewer(const WindowHelpViewer &) = delete;
    WindowHelpViewer &operator=(const WindowHelpViewer &) = delete;

    void ShowHelp(const QString &filePath, int command) override;

    // The open window, or null once the user has closed it.
    HelpWindow *Window() const;

private:
    void Zoom(HelpWindow *window) const;

    const ZoomLevel &zoom_;
    QPointer<HelpWindow> window_;
};

// picHelp's click: the help file "kapuna.hlp" beside the program, opened at
// its start.
void ShowProgramHelp(HelpViewer &viewer, const QString &programFolder);
