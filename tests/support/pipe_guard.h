#pragma once

#include <QFile>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe for a test, with a watchdog: if the test is still running
// after a generous delay, the guard opens and closes the pipe's writing end,
// which releases a reader stuck on it. A fault then shows as a failed time
// bound instead of a test that never ends.
class PipeGuard
{
public:
    explicit PipeGuard(const QString &path, std::chrono::milliseconds patience = std::chrono::seconds(3))
        : path_(QFile::encodeName(path))
    {
        created_ = ::mkfifo(path_.constData(), 0600) == 0;
        watchdog_ = std::thread([this, patience] {
            std::unique_lock lock(mutex_);
            if (done_.wait_for(lock, patience, [this] { return finished_; }))
                return;
            for (int tries = 0; tries < 100 && !finished_; ++tries) {
                const int fd = ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                done_.wait_for(lock, std::chrono::milliseconds(50), [this] { return finished_; });
            }
        });
    }
    ~PipeGuard()
    {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        watchdog_.join();
    }
    bool Created() const { return created_; }

private:
    QByteArray path_;
    bool created_ = false;
    bool finished_ = false;
    std::mutex mutex_;
    std::condition_variable done_;
    std::thread watchdog_;
};
