#pragma once

#include "app/board.h"
#include "app/column_controls.h"
#include "app/controls.h"
#include "app/main_window.h"
#include "platform/history_store.h"
#include "platform/settings_store.h"
#include "support/recording_help_viewer.h"
#include "support/recording_messages.h"
#include "support/recording_printer.h"
#include "support/recording_prompt.h"
#include "support/recording_save_dialog.h"
#include "support/recording_shell.h"
#include "widgets/picture_button.h"
#include "widgets/zoom_level.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

// A main window on the offscreen platform with recording services.
struct WindowFixture
{
    RecordingMessages messages;
    RecordingShell shell;
    RecordingHelpViewer help;
    RecordingPrinterProvider printers;
    RecordingSaveDialog saves;
    // The settings store lives in a folder of the test's own, never in the
    // machine's real one.
    QTemporaryDir storeFolder;
    SettingsStore settings{storeFolder.filePath(QStringLiteral("etc/Westhaven/Kapuna.ini")),
                           storeFolder.filePath(QStringLiteral("home/Westhaven/Kapuna.ini"))};
    // So is the history of rounds.
    HistoryStore history{storeFolder.filePath(QStringLiteral("history.sqlite"))};
    RecordingPrompt prompt;
    Services services{messages};
    ZoomLevel zoom;
    std::unique_ptr<MainWindow> window;

    explicit WindowFixture(const QString &programFolder = QStringLiteral("/opt/kapuna-test"),
                           std::function<std::uint64_t()> roundSeed = {})
    {
        if (roundSeed)
            services.roundSeed = std::move(roundSeed);
        services.settings = &settings;
        services.shell = &shell;
        services.helpViewer = &help;
        services.printers = &printers;
        services.saveDialog = &saves;
        services.history = &history;
        services.prompt = &prompt;
        services.programFolder = programFolder;
        window = std::make_unique<MainWindow>(services, zoom);
        window->show();
    }

    MainWindow &w() { return *window; }

    // Confirms a ladder of n players in the given start mode.
    void Confirm(int n, bool manual = true)
    {
        window->Ui().txtMember->setText(QString::number(n));
        window->SelectStartMode(manual ? 1 : 0);
        window->picOk_Click();
    }

    // Runs Timer1's ticks by hand until the timer stops; returns their number.
    int RunTicks(int limit = 100000)
    {
        int ticks = 0;
        while (window->Play().Timer1().isActive() && ticks < limit) {
            window->Play().Run().DescentStep();
            ++ticks;
        }
        return ticks;
    }

    // Direct children of type T that were created at run time (every
    // design-time control carries a name; the per-column copies do not).
    template <typename T>
    int CountCreated() const
    {
        int n = 0;
        for (auto *c : window->findChildren<T *>(QString(), Qt::FindDirectChildrenOnly))
            n += c->objectName().isEmpty();
        return n;
    }
};
