#pragma once

#include <QFile>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe with a watchdog: from three seconds on, the guard keeps
// opening and closing the pipe's writing end, which releases a reader stuck
// on it. A fault then fails the test's time bound instead of hanging it.
class PipeGuard
{
public:
    explicit PipeGuard(const QString &path)
        : path_(QFile::encodeName(path))
        , created_(::mkfifo(path_.constData(), 0600) == 0)
        , watchdog_([this] {
            for (int waited = 0; !done_; waited += 10) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
                if (const int fd = waited >= 3000 ? ::open(path_.constData(), O_WRONLY | O_NONBLOCK) : -1; fd >= 0)
                    ::close(fd);
            }
        })
    {
    }
    ~PipeGuard()
    {
        done_ = true;
        watchdog_.join();
    }
    bool Created() const { return created_; }

private:
    const QByteArray path_;
    const bool created_;
    std::atomic_bool done_{false};
    std::thread watchdog_;
};
