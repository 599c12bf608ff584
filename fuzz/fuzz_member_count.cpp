#include "fuzz_report.h"
#include "member_count_check.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

namespace {

// One application and one (empty) picture list for the whole run: building
// either per input would swamp the box's own work. Both are left to the
// end of the process on purpose: destroying an application from an exit
// handler runs after Qt's own statics are gone.
struct Process
{
    // Qt takes the arguments it knows out of argv, and libFuzzer reads its
    // own from the same array after this: Qt gets a copy of the name alone.
    int argc = 1;
    char *argv[2] = {nullptr, nullptr};
    QApplication *app = nullptr;
    ImageList *images = nullptr;
};

Process &TheProcess()
{
    static Process process;
    return process;
}

void QuietMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Process &process = TheProcess();
    process.argv[0] = (*argv)[0];
    process.app = new QApplication(process.argc, process.argv);
    // The fuzz build carries no pictures; the list's complaint about each
    // one is noise.
    const QtMessageHandler previous = qInstallMessageHandler(QuietMessages);
    process.images = new ImageList();
    qInstallMessageHandler(previous);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz_report::AbortOnFailure(
        fuzz_checks::CheckMemberCount(QByteArrayView(data, qsizetype(size)), *TheProcess().images));
    return 0;
}
