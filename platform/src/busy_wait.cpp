#include "platform/busy_wait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>

#include <exception>

void RunWhileBusy(const std::function<void()> &work)
{
    std::exception_ptr failure;
    auto guarded = [&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    };

    if (!QCoreApplication::instance()) {
        guarded();
    } else {
        auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
        if (gui)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
        QEventLoop loop;
        QThread *thread = QThread::create(guarded);
        // Queued to this thread: the quit is seen even when the work ends
        // before the loop starts.
        QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
        thread->start();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        thread->wait();
        delete thread;
        if (gui)
            QGuiApplication::restoreOverrideCursor();
    }
    if (failure)
        std::rethrow_exception(failure);
}
