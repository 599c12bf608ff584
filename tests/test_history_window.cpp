#include "extras/history_window.h"
#include "platform/history_store.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// The "지난 게임" window over a scratch history.
class TestHistoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void listsNewestFirstAndShowsTheSelectedRound();
    void searchNarrowsTheList();
    void actionsNameTheSelectedRound();
    void deletingAsksFirst();

private:
    QPushButton *Button(const char *name) { return window_->findChild<QPushButton *>(name); }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<HistoryStore> store_;
    std::unique_ptr<HistoryWindow> window_;
    bool answer_ = false;
    QStringList asked_;
    QList<qint64> ids_;
};

void TestHistoryWindow::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    store_ = std::make_unique<HistoryStore>(dir_->filePath(QStringLiteral("h.sqlite")));
    ids_.clear();
    const QStringList names{QStringLiteral("철수"), QStringLiteral("영희"), QStringLiteral("민수")};
    for (int i = 0; i < 3; ++i) {
        RoundRecord r;
        r.playedAt = QDateTime(QDate(2026, 12, 1 + i), QTime(12, 0));
        r.seed = std::uint64_t(100 + i);
        r.players = {{names[i], QStringLiteral("1000"), QStringLiteral("1000")},
                     {QStringLiteral("공통"), QStringLiteral("꽝"), QStringLiteral("꽝")}};
        r.total = 1000;
        r.finished = i != 1;
        ids_ << store_->Add(r);
    }
    asked_.clear();
    window_ = std::make_unique<HistoryWindow>(*store_, [this](const QString &question) {
        asked_ << question;
        return answer_;
    });
}

void TestHistoryWindow::listsNewestFirstAndShowsTheSelectedRound()
{
    QAbstractItemModel *model = window_->Rounds()->model();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->index(0, 3).data().toString(), QStringLiteral("민수, 공통"));
    QCOMPARE(model->index(1, 5).data().toString(), QStringLiteral("중단"));
    // The newest round is selected from the start, its results shown.
    QCOMPARE(window_->SelectedId(), ids_[2]);
    QCOMPARE(window_->Results()->rowCount(), 2);
    QCOMPARE(window_->Results()->item(0, 1)->text(), QStringLiteral("민수"));
    window_->Select(ids_[1]);
    QCOMPARE(window_->Results()->item(0, 1)->text(), QStringLiteral("영희"));
    QVERIFY(window_->findChild<QLabel *>(QStringLiteral("HistoryHeading"))->text().contains(QStringLiteral("중단")));
}

void TestHistoryWindow::searchNarrowsTheList()
{
    window_->Search()->setText(QStringLiteral("영희"));
    QCOMPARE(window_->Rounds()->model()->rowCount(), 1);
    QCOMPARE(window_->SelectedId(), ids_[1]);
    window_->Search()->setText(QStringLiteral("없는 이름"));
    QCOMPARE(window_->Rounds()->model()->rowCount(), 0);
    QCOMPARE(window_->SelectedId(), 0);
    QVERIFY(!Button("HistoryReprint")->isEnabled());
    QVERIFY(!Button("HistoryReplay")->isEnabled());
    window_->Search()->clear();
    QCOMPARE(window_->Rounds()->model()->rowCount(), 3);
}

void TestHistoryWindow::actionsNameTheSelectedRound()
{
    window_->Select(ids_[0]);
    QSignalSpy reprint(window_.get(), &HistoryWindow::reprintRequested);
    QSignalSpy pdf(window_.get(), &HistoryWindow::savePdfRequested);
    QSignalSpy replay(window_.get(), &HistoryWindow::replayRequested);
    QSignalSpy exported(window_.get(), &HistoryWindow::exportRequested);
    Button("HistoryReprint")->click();
    Button("HistoryPdf")->click();
    Button("HistoryReplay")->click();
    const QList<QAction *> exports = Button("HistoryCsv")->menu()->actions();
    exports[0]->trigger();
    exports[1]->trigger();
    QCOMPARE(reprint.value(0).value(0).toLongLong(), ids_[0]);
    QCOMPARE(pdf.value(0).value(0).toLongLong(), ids_[0]);
    QCOMPARE(replay.value(0).value(0).toLongLong(), ids_[0]);
    QCOMPARE(exported.size(), 2);
    QCOMPARE(exported[0][0].value<QList<qint64>>(), QList<qint64>{ids_[0]});
    QCOMPARE(exported[1][0].value<QList<qint64>>(), QList<qint64>{}); // all
}

void TestHistoryWindow::deletingAsksFirst()
{
    window_->Select(ids_[1]);
    answer_ = false;
    QTest::keyClick(window_->Rounds(), Qt::Key_Delete);
    QCOMPARE(asked_.size(), 1);
    QCOMPARE(window_->Rounds()->model()->rowCount(), 3);
    answer_ = true;
    Button("HistoryDelete")->click();
    QCOMPARE(asked_.size(), 2);
    QCOMPARE(window_->Rounds()->model()->rowCount(), 2);
    QVERIFY(!store_->Round(ids_[1]));
}

QTEST_MAIN(TestHistoryWindow)
#include "test_history_window.moc"
