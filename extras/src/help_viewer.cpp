#include "extras/help_viewer.h"

#include "extras/help_window.h"
#include "platform/dialog_zoom.h"

#include <QApplication>
#include <QDir>

WindowHelpViewer::WindowHelpViewer(const ZoomLevel &zoom)
    : zoom_(zoom)
{
}

WindowHelpViewer::~WindowHelpViewer()
{
    delete window_.data();
}

void WindowHelpViewer::Zoom(HelpWindow *window) const
{
    // Its frame, spacing and button laid out as every box at the zoom; its
    // text at the help's own font, times the factor.
    dialog_zoom::Apply(window, zoom_);
    window->SetZoom(zoom_.Factor());
}

void WindowHelpViewer::ShowHelp(const QString &filePath, int command)
{
    Q_UNUSED(command); // every command opens the file at its start
    if (!window_) {
        window_ = new HelpWindow;
        window_->setAttribute(Qt::WA_DeleteOnClose);
        // Over the game that asked for it, not wherever the window manager
        // finds room, and at its zoom: a window of its own, but where the
        // player looks and as large.
        Zoom(window_);
        if (const QWidget *game = QApplication::activeWindow())
            window_->move(game->frameGeometry().center() - window_->rect().center());
        // Open beside the game, it follows the game's zoom as the player
        // changes it.
        HelpWindow *window = window_;
        QObject::connect(&zoom_, &ZoomLevel::changed, window,
                         [this, window] { Zoom(window); });
    }
    window_->LoadFile(filePath);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ShowProgramHelp(HelpViewer &viewer, const QString &programFolder)
{
    viewer.ShowHelp(QDir(programFolder).filePath(QStringLiteral("kapuna.hlp")),
                    HelpViewer::kCommandOpenAtStart);
}

HelpWindow *WindowHelpViewer::Window() const
{
    return window_;
}
