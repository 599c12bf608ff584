#include "platform/busy_wait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// How often the waiting window thread looks whether the work has ended.
constexpr std::chrono::milliseconds kLook{10};

// What the worker leaves for the waiter; it outlives whichever of the two
// lets go of it last.
struct Shared
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    std::exception_ptr failure;

    bool Done()
    {
        const std::lock_guard lock(mutex);
        return done;
    }
};

} // namespace

bool RunWhileBusy(std::function<void()> work, Clock::time_point giveUpAt)
{
    auto shared = std::make_shared<Shared>();
    std::thread([shared, work = std::move(work)] {
        std::exception_ptr failure;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(shared->mutex);
        shared->failure = failure;
        shared->done = true;
        shared->ended.notify_all();
    }).detach();

    if (!QCoreApplication::instance()) {
        std::unique_lock lock(shared->mutex);
        shared->ended.wait_until(lock, giveUpAt, [&] { return shared->done; });
    } else {
        auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
        if (gui)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        QEventLoop loop;
        QTimer look;
        look.setInterval(kLook);
        QObject::connect(&look, &QTimer::timeout, &loop, [&] {
            if (shared->Done() || Clock::now() >= giveUpAt)
                loop.quit();
        });
        look.start();
        if (!shared->Done() && Clock::now() < giveUpAt)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (gui)
            QGuiApplication::restoreOverrideCursor();
    }

    const std::lock_guard lock(shared->mutex);
    if (!shared->done)
        return false;
    if (shared->failure)
        std::rethrow_exception(shared->failure);
    return true;
}
