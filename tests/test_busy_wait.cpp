#include "platform/busy_wait.h"
#include "platform/printer_error.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <future>
#include <memory>
#include <thread>

// Waiting on the print system: the window's own events go on (it paints, its
// timers tick) while the work runs elsewhere, what the work throws reaches
// the caller, and the wait ends at its time whatever the work does.
class TestBusyWait : public QObject
{
    Q_OBJECT

private slots:
    void windowEventsGoOnWhileTheWorkRuns();
    void failuresOfTheWorkReachTheCaller();
    void workPastItsTimeIsLeftToItself();
};

namespace {

std::chrono::steady_clock::time_point Later()
{
    return std::chrono::steady_clock::now() + std::chrono::minutes(1);
}

} // namespace

void TestBusyWait::windowEventsGoOnWhileTheWorkRuns()
{
    std::atomic<int> ticks = 0;
    bool busyCursor = true;
    QTimer timer;
    timer.setInterval(1);
    connect(&timer, &QTimer::timeout, this, [&] {
        ++ticks;
        const QCursor *cursor = QGuiApplication::overrideCursor();
        busyCursor = busyCursor && cursor && cursor->shape() == Qt::BusyCursor;
    });
    timer.start();

    QVERIFY(RunWhileBusy(
        [&] {
            // Ends once the window thread has handled three ticks; the guard
            // only keeps a broken wait from hanging the test.
            QElapsedTimer guard;
            guard.start();
            while (ticks < 3 && guard.elapsed() < 10000)
                std::this_thread::yield();
        },
        Later()));
    timer.stop();
    QVERIFY(ticks >= 3);
    QVERIFY(busyCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestBusyWait::failuresOfTheWorkReachTheCaller()
{
    QVERIFY_THROWS_EXCEPTION(PrinterError, RunWhileBusy([] { throw PrinterError("no answer"); }, Later()));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

// Work that has not ended by its time is not waited for: it goes on with
// what it owns and ends by itself later.
void TestBusyWait::workPastItsTimeIsLeftToItself()
{
    auto release = std::make_shared<std::promise<void>>();
    auto ended = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    std::future<void> finished = ended->get_future();

    QVERIFY(!RunWhileBusy([released, ended] {
        released.wait();
        ended->set_value();
    }, std::chrono::steady_clock::now()));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    release->set_value();
    QCOMPARE(finished.wait_for(std::chrono::seconds(10)), std::future_status::ready);
}

QTEST_MAIN(TestBusyWait)
#include "test_busy_wait.moc"
