#include "platform/busy_wait.h"
#include "platform/printer_error.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

// Waiting on the print system: the window's own events go on (it paints, its
// timers tick) while the work runs elsewhere, and what the work throws
// reaches the caller.
class TestBusyWait : public QObject
{
    Q_OBJECT

private slots:
    void windowEventsGoOnWhileTheWorkRuns();
    void failuresOfTheWorkReachTheCaller();
};

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

    RunWhileBusy([&] {
        // Ends once the window thread has handled three ticks; the guard
        // only keeps a broken wait from hanging the test.
        QElapsedTimer guard;
        guard.start();
        while (ticks < 3 && guard.elapsed() < 10000)
            std::this_thread::yield();
    });
    timer.stop();
    QVERIFY(ticks >= 3);
    QVERIFY(busyCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestBusyWait::failuresOfTheWorkReachTheCaller()
{
    QVERIFY_THROWS_EXCEPTION(PrinterError, RunWhileBusy([] { throw PrinterError("no answer"); }));
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestBusyWait)
#include "test_busy_wait.moc"
