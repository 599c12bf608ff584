#include "app/round_history.h"

#include "app/board.h"
#include "app/services.h"
#include "extras/history_window.h"
#include "game/drawing_surface.h"
#include "game/game_number.h"
#include "game/game_state.h"
#include "game/round.h"
#include "platform/dialog_zoom.h"
#include "platform/history_store.h"
#include "platform/messages.h"
#include "platform/save_dialog.h"
#include "platform/text_prompt.h"
#include "print/csv_export.h"
#include "print/print_results.h"
#include "print/save_results.h"
#include "print/sheet_source.h"
#include "widgets/image_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The sheet of a recorded round: its names, its animals (dealt again from
// its seed) and notes that say it is printed again.
class RecordSheet final : public SheetSource
{
public:
    RecordSheet(const RoundRecord &record, std::vector<std::int16_t> pictures,
                const ImageList &images, QSizeF penMm, SheetNotes notes)
        : record_(record)
        , pictures_(std::move(pictures))
        , images_(images)
        , penMm_(penMm)
        , notes_(std::move(notes))
    {
    }
    QString NameText(int i) const override { return record_.players.value(i - 1).name; }
    QPixmap StartPicture(int i) const override
    {
        return i >= 1 && i <= int(pictures_.size()) ? images_.PrintPicture(pictures_[std::size_t(i - 1)])
                                                     : QPixmap();
    }
    QSizeF PenTemplateSizeMm() const override { return penMm_; }
    SheetNotes Notes() const override { return notes_; }

private:
    const RoundRecord &record_;
    std::vector<std::int16_t> pictures_;
    const ImageList &images_;
    QSizeF penMm_;
    SheetNotes notes_;
};

// The prize list a round was confirmed with; none when they were the
// numbers 1..N that an empty list gives.
QStringList PrizeList(const RoundRecord &record)
{
    QStringList prizes;
    bool numbered = true;
    for (int i = 0; i < record.Count(); ++i) {
        prizes << record.players.at(i).prize;
        numbered = numbered && prizes.last() == QString::number(i + 1);
    }
    return numbered ? QStringList() : prizes;
}

Outcome SaveTable(const QByteArray &bytes, const QString &path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {Outcome::Kind::Saved, path};
    return {Outcome::Kind::TableNotSaved, QFileInfo(path).absolutePath()};
}

} // namespace

RoundHistory::RoundHistory(QWidget *window, const GameState &state, const Board &board,
                           const ImageList &images, const Services &services,
                           const DialogZoom &zoom, Replay replay)
    : QObject(window)
    , parent_(window)
    , board_(board)
    , images_(images)
    , services_(services)
    , zoom_(zoom)
    , replay_(std::move(replay))
    , keeper_(state, services.history, [&state, &board] {
                  QStringList names;
                  for (int i = 1; i <= state.gMemberCount; ++i)
                      names << board.NameText(i);
                  return names;
              },
              [&services](const QString &notice) { services.messages.Warn(notice); })
{
}

void RoundHistory::Began(bool replay)
{
    keeper_.Began(replay);
}

void RoundHistory::PathEnded()
{
    keeper_.PathEnded();
    Recorded();
}

void RoundHistory::Left()
{
    keeper_.Abandon();
    Recorded();
}

void RoundHistory::Printed(const Outcome &outcome)
{
    if (outcome.MadeASheet()) {
        keeper_.Printed();
        Recorded();
    }
}

void RoundHistory::Saved()
{
    keeper_.Saved();
    Recorded();
}

void RoundHistory::Recorded()
{
    if (window_)
        window_->Refresh();
}

void RoundHistory::ShowWindow()
{
    if (!services_.history)
        return;
    if (!window_) {
        window_ = new HistoryWindow(*services_.history,
                                    [this](const QString &question) { return services_.messages.Ask(question); });
        window_->setAttribute(Qt::WA_DeleteOnClose);
        // Laid out as every box at the zoom (spacing, frames, the buttons'
        // room), its table at its own font times the factor.
        dialog_zoom::Apply(window_, zoom_);
        window_->SetZoom(zoom_.Factor());
        // Over the game, not wherever the window manager finds room.
        window_->move(parent_->frameGeometry().center() - window_->rect().center());
        connect(window_, &HistoryWindow::reprintRequested, this, &RoundHistory::Reprint);
        connect(window_, &HistoryWindow::savePdfRequested, this, &RoundHistory::SaveSheet);
        connect(window_, &HistoryWindow::exportRequested, this, &RoundHistory::Export);
        connect(window_, &HistoryWindow::replayRequested, this, &RoundHistory::ReplayRecord);
        // The window going away with the game, never after it.
        connect(parent_, &QObject::destroyed, window_, &QObject::deleteLater);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (const QString notice = services_.history->NoticeOnce(); !notice.isEmpty())
        services_.messages.Warn(notice);
}

Outcome RoundHistory::WithSheet(qint64 id, bool reprint,
                                const std::function<Outcome(GameState &, const SheetSource &)> &use)
{
    const std::optional<RoundRecord> record = services_.history->Round(id);
    if (!record)
        return {Outcome::Kind::Refused, QStringLiteral("지난 게임 기록을 읽을 수 없습니다.")};
    const auto n = std::int16_t(record->Count());
    GameState round;
    NoSurface nowhere;
    std::vector<std::int16_t> pictures = ConfirmLadder(round, nowhere, n, PrizeList(*record), record->seed);
    for (int i = 1; i <= n; ++i)
        round.gResults(i) = record->players.at(i - 1).result;
    round.mStartedCount = n;
    round.mArrivedCount = record->finished ? n : 0;
    SheetNotes notes;
    notes.number = record->finished ? record->Number() : QString();
    notes.playedAt = record->playedAt.toLocalTime();
    if (reprint)
        notes.reprintedAt = QDateTime::currentDateTime();
    const RecordSheet sheet(*record, std::move(pictures), images_, board_.PenTemplateSizeMm(), notes);
    return use(round, sheet);
}

void RoundHistory::Reprint(qint64 id)
{
    if (!services_.printers)
        return;
    const Outcome outcome = WithSheet(id, true, [this](GameState &round, const SheetSource &sheet) {
        return mdlPrint::PrintResults(round, sheet, *services_.printers);
    });
    if (outcome.MadeASheet())
        services_.history->MarkPrinted(id);
    Tell(services_.messages, outcome);
    Recorded();
}

void RoundHistory::SaveSheet(qint64 id)
{
    if (!services_.saveDialog)
        return;
    const Outcome outcome = WithSheet(id, false, [this](GameState &round, const SheetSource &sheet) {
        return mdlPrint::SaveResultsPdf(round, sheet, *services_.saveDialog, window_);
    });
    if (outcome.kind == Outcome::Kind::Saved)
        services_.history->MarkSaved(id);
    Tell(services_.messages, outcome);
    Recorded();
}

void RoundHistory::Export(const QList<qint64> &ids)
{
    if (!services_.saveDialog)
        return;
    const QList<RoundRecord> records = services_.history->Records(ids);
    const QString name = QStringLiteral("Kapuna 지난 게임 %1.csv")
                             .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HHmmss")));
    const QString path = AskSavePath(*services_.saveDialog, window_, QStringLiteral("CSV로 내보내기"),
                                     QDir(save_folder::Documents()).filePath(name),
                                     QStringLiteral("CSV 파일 (*.csv)"));
    Tell(services_.messages, path.isEmpty() ? Outcome{Outcome::Kind::Cancelled}
                                            : SaveTable(mdlPrint::RoundsCsv(records, QLocale::system()), path));
}

void RoundHistory::ReplayRecord(qint64 id)
{
    const std::optional<RoundRecord> record = services_.history->Round(id);
    if (!record)
        return;
    ReplayPlan plan;
    plan.players = std::int16_t(record->Count());
    plan.prizes = PrizeList(*record);
    plan.seed = record->seed;
    for (const RoundRecord::Player &player : record->players)
        plan.names << player.name;
    plan.number = record->Number();
    Play(plan);
}

void RoundHistory::ReplayFromNumber()
{
    if (!services_.prompt)
        return;
    const std::optional<QString> typed = services_.prompt->AskText(
        parent_, QStringLiteral("게임 번호로 다시 보기"),
        QStringLiteral("결과표의 게임 번호를 입력하세요 (예: K7QM-3XPA-92JD)."));
    if (!typed)
        return;
    const std::optional<game_number::Round> round = game_number::Decode(*typed);
    if (!round) {
        services_.messages.Inform(
            QStringLiteral("올바른 게임 번호가 아닙니다: %1\n"
                           "게임 번호는 결과표의 당첨총액 아래에 있는 12자리입니다 (예: K7QM-3XPA-92JD).")
                .arg(typed->trimmed()));
        return;
    }
    const QString number = game_number::Encode(round->seed, round->players);
    if (services_.history) {
        if (const std::optional<RoundRecord> record = services_.history->FindNumber(number)) {
            ReplayRecord(record->id);
            return;
        }
    }
    // Not in this computer's history: the ladder of that number, with the
    // prizes numbered in list order, shows where each column leads.
    Play({std::int16_t(round->players), {}, round->seed, {}, number});
}

void RoundHistory::Play(const ReplayPlan &plan)
{
    if (!replay_(plan))
        services_.messages.Inform(QStringLiteral("말이 내려가는 동안에는 다시 볼 수 없습니다."));
}
