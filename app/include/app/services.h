#pragma once

#include <QString>

class HelpViewer;
class Messages;
class PrinterProvider;
class SaveDialog;
class SettingsStore;
class Shell;

// What the window needs from the world outside it. The caller owns every
// service and keeps it alive for the window's lifetime; main() passes the
// real ones and tests pass fakes. Messages are required: every refusal the
// player must see goes through them. Any other service may be missing, and
// then its feature is off.
struct Services
{
    Messages &messages;
    // Every setting the program keeps: the folder record, the zoom.
    SettingsStore *settings = nullptr;
    Shell *shell = nullptr;
    HelpViewer *helpViewer = nullptr;
    PrinterProvider *printers = nullptr;
    // Asks where a picture or PDF of the result goes.
    SaveDialog *saveDialog = nullptr;
    // The folder the program's own files are read from: "beside the program".
    QString programFolder{};
};
