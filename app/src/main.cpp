#include "widgets/fonts.h"
#include "app/main_window.h"
#include "app/qt_translations.h"
#include "app/zoom.h"
#include "extras/help_viewer.h"
#include "platform/folder_record.h"
#include "platform/history_store.h"
#include "platform/messages.h"
#include "platform/qt_printer_provider.h"
#include "platform/save_dialog.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/text_prompt.h"
#include "widgets/accessibility.h"
#include "widgets/zoom_level.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kapuna"));
    fonts::RegisterKoreanSubstitutes();
    qt_translations::InstallKorean(app);
    accessibility::InstallFactory();

    const QString folder = folder_record::ProgramFolder();
    // The game's zoom: the window's, and that of every box opened over it.
    ZoomLevel zoomLevel;
    MessageBoxMessages messages(zoomLevel);
    const std::unique_ptr<SettingsStore> settings = SettingsStore::ForThisSystem();
    DesktopShell shell(folder);
    // Without a default printer the sheet becomes a PDF in the documents
    // folder, which the desktop's viewer then opens.
    QtPrinterProvider printers([&shell](const QString &path) { return shell.Open(path); });
    // Declared after the application: its window goes with it.
    WindowHelpViewer helpViewer(zoomLevel);
    FileSaveDialog saveDialog(zoomLevel);
    InputDialogPrompt prompt(zoomLevel);
    // Opened only when a round ends or the history is asked for: never on
    // the way to the first frame.
    HistoryStore history(HistoryStore::DefaultPath());

    Services services{messages};
    services.settings = settings.get();
    services.shell = &shell;
    services.helpViewer = &helpViewer;
    services.printers = &printers;
    services.saveDialog = &saveDialog;
    services.history = &history;
    services.prompt = &prompt;
    services.programFolder = folder;

    MainWindow window(services, zoomLevel);
    // The player's zoom from last time, but never larger than this screen.
    if (const std::optional<units::Zoom> remembered = zoom::AtStartUp(*settings, window.LargestZoom()))
        window.SetZoom(*remembered);
    QObject::connect(&window, &MainWindow::zoomChosen, &window,
                     [&settings](units::Zoom chosen) { settings->WriteZoomPercent(chosen.percent); });
    QApplication::setWindowIcon(window.windowIcon());
    window.show();
    return app.exec();
}
