#include "extras/history_window.h"

#include "extras/rounds_model.h"
#include "platform/history_store.h"
#include "widgets/fonts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kDesignSize(820, 600);

// Design widths of the list's columns, in pixels at 100 %: fixed, so that
// ten thousand rows open without being measured.
constexpr int kColumnWidths[RoundsModel::ColumnCount] = {130, 130, 50, 250, 100, 50, 80};

} // namespace

HistoryWindow::HistoryWindow(HistoryStore &store, Confirm confirm, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , store_(store)
    , confirm_(std::move(confirm))
    , model_(new RoundsModel(this))
    , search_(new QLineEdit(this))
    , rounds_(new QTableView(this))
    , heading_(new QLabel(this))
    , results_(new QTableWidget(0, 3, this))
{
    setObjectName(QStringLiteral("HistoryWindow"));
    setWindowTitle(QStringLiteral("지난 게임"));

    search_->setObjectName(QStringLiteral("HistorySearch"));
    search_->setPlaceholderText(QStringLiteral("이름 또는 게임 번호로 찾기"));
    search_->setAccessibleName(QStringLiteral("지난 게임 찾기"));
    search_->setClearButtonEnabled(true);
    auto *searchLabel = new QLabel(QStringLiteral("찾기(&F):"), this);
    searchLabel->setBuddy(search_);
    connect(search_, &QLineEdit::textChanged, this, &HistoryWindow::Refresh);

    rounds_->setObjectName(QStringLiteral("HistoryRounds"));
    rounds_->setAccessibleName(QStringLiteral("지난 게임 목록"));
    rounds_->setModel(model_);
    rounds_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rounds_->setSelectionMode(QAbstractItemView::SingleSelection);
    rounds_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rounds_->setAlternatingRowColors(true);
    rounds_->setWordWrap(false);
    rounds_->verticalHeader()->hide();
    rounds_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    rounds_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    rounds_->horizontalHeader()->setStretchLastSection(true);
    connect(rounds_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &HistoryWindow::ShowSelected);

    heading_->setObjectName(QStringLiteral("HistoryHeading"));
    results_->setObjectName(QStringLiteral("HistoryResults"));
    results_->setAccessibleName(QStringLiteral("선택한 게임의 결과"));
    results_->setHorizontalHeaderLabels(
        {QStringLiteral("번호"), QStringLiteral("이름"), QStringLiteral("당첨내역")});
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setSelectionMode(QAbstractItemView::NoSelection);
    results_->verticalHeader()->hide();
    results_->horizontalHeader()->setStretchLastSection(true);

    QPushButton *reprint = AddButton(QStringLiteral("결과표 인쇄(&P)"), "HistoryReprint");
    QPushButton *pdf = AddButton(QStringLiteral("PDF로 저장(&S)"), "HistoryPdf");
    QPushButton *csv = AddButton(QStringLiteral("CSV로 내보내기(&E)"), "HistoryCsv");
    QPushButton *replay = AddButton(QStringLiteral("다시 보기(&R)"), "HistoryReplay");
    QPushButton *remove = AddButton(QStringLiteral("삭제(&D)"), "HistoryDelete");
    QPushButton *close = AddButton(QStringLiteral("닫기"), "HistoryClose");
    needSelection_ = {reprint, pdf, replay, remove};
    connect(reprint, &QPushButton::clicked, this, [this] { emit reprintRequested(SelectedId()); });
    connect(pdf, &QPushButton::clicked, this, [this] { emit savePdfRequested(SelectedId()); });
    connect(replay, &QPushButton::clicked, this, [this] { emit replayRequested(SelectedId()); });
    connect(remove, &QPushButton::clicked, this, &HistoryWindow::RemoveSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *exportMenu = new QMenu(csv);
    QAction *exportOne = exportMenu->addAction(QStringLiteral("선택한 게임(&O)"));
    QAction *exportAll = exportMenu->addAction(QStringLiteral("모든 게임(&A)"));
    connect(exportOne, &QAction::triggered, this, [this] { emit exportRequested({SelectedId()}); });
    connect(exportAll, &QAction::triggered, this, [this] { emit exportRequested({}); });
    connect(exportMenu, &QMenu::aboutToShow, this,
            [this, exportOne] { exportOne->setEnabled(SelectedId() != 0); });
    csv->setMenu(exportMenu);

    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    rounds_->installEventFilter(this);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    auto *top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(search_);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {reprint, pdf, csv, replay, remove})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rounds_, 3);
    layout->addWidget(heading_);
    layout->addWidget(results_, 2);
    layout->addLayout(buttons);
    setTabOrder(search_, rounds_);
    setTabOrder(rounds_, results_);

    SetZoom(1.0);
    Refresh();
    ShowSelected();
    rounds_->setFocus();
}

QPushButton *HistoryWindow::AddButton(const QString &text, const char *name)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

void HistoryWindow::SetZoom(double factor)
{
    QFont font = fonts::Gulim(9 * factor);
    setFont(font);
    const int row = QFontMetrics(font).height() + int(8 * factor);
    rounds_->verticalHeader()->setDefaultSectionSize(row);
    results_->verticalHeader()->setDefaultSectionSize(row);
    for (int c = 0; c < RoundsModel::ColumnCount; ++c)
        rounds_->setColumnWidth(c, int(kColumnWidths[c] * factor));
    results_->setColumnWidth(0, int(50 * factor));
    results_->setColumnWidth(1, int(200 * factor));
    QSize size = (QSizeF(kDesignSize) * factor).toSize();
    if (const QScreen *on = screen())
        size = size.boundedTo(on->availableGeometry().size() * 0.9);
    resize(size);
}

void HistoryWindow::Refresh()
{
    const qint64 keep = SelectedId();
    model_->SetRounds(store_.Rounds(search_->text()));
    Select(keep);
    if (SelectedId() == 0 && model_->rowCount() > 0)
        rounds_->selectRow(0);
    ShowSelected();
}

qint64 HistoryWindow::SelectedId() const
{
    const QModelIndexList rows = rounds_->selectionModel()->selectedRows();
    const HistoryStore::Summary *round = rows.isEmpty() ? nullptr : model_->At(rows.first().row());
    return round ? round->id : 0;
}

void HistoryWindow::Select(qint64 id)
{
    for (int row = 0; id && row < model_->rowCount(); ++row) {
        if (model_->At(row)->id == id) {
            rounds_->selectRow(row);
            return;
        }
    }
    rounds_->clearSelection();
}

void HistoryWindow::ShowSelected()
{
    const qint64 id = SelectedId();
    for (QPushButton *b : needSelection_)
        b->setEnabled(id != 0);
    results_->setRowCount(0);
    const std::optional<RoundRecord> round = id ? store_.Round(id) : std::nullopt;
    if (!round) {
        heading_->setText(model_->rowCount() == 0 ? QStringLiteral("기록된 게임이 없습니다.")
                                                  : QString());
        return;
    }
    heading_->setText(QStringLiteral("%1  게임 번호 %2%3")
                          .arg(round->playedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                               round->Number(),
                               round->finished ? QString() : QStringLiteral("  (중단된 게임)")));
    results_->setRowCount(round->Count());
    for (int i = 0; i < round->Count(); ++i) {
        const RoundRecord::Player &p = round->players.at(i);
        const QStringList cells{QString::number(i + 1), p.name, p.result};
        for (int c = 0; c < 3; ++c)
            results_->setItem(i, c, new QTableWidgetItem(cells[c]));
    }
}

bool HistoryWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Delete in the list deletes the round, as in a file manager.
    if (watched == rounds_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        RemoveSelected();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HistoryWindow::RemoveSelected()
{
    const qint64 id = SelectedId();
    if (!id || !confirm_ || !confirm_(QStringLiteral("선택한 게임의 기록을 지울까요?")))
        return;
    store_.Remove(id);
    Refresh();
}
