#pragma once

#include "game/round.h"

#include <QString>

#include <cstdint>
#include <functional>

class HelpViewer;
class HistoryStore;
class Messages;
class PrinterProvider;
class SaveDialog;
class SettingsStore;
class Shell;
class TextPrompt;

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
    // The history of rounds, and the prompt that takes a typed game number.
    HistoryStore *history = nullptr;
    TextPrompt *prompt = nullptr;
    // The folder the program's own files are read from: "beside the program".
    QString programFolder{};
    // Where each confirmed round's seed comes from: the operating system's
    // random source; a test that must repeat its rounds gives its own.
    std::function<std::uint64_t()> roundSeed = NewRoundSeed;
};
