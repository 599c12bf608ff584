#include "extras/rounds_model.h"

#include <QLocale>

RoundsModel::RoundsModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void RoundsModel::SetRounds(QList<HistoryStore::Summary> rounds)
{
    beginResetModel();
    rounds_ = std::move(rounds);
    endResetModel();
}

const HistoryStore::Summary *RoundsModel::At(int row) const
{
    return row >= 0 && row < rounds_.size() ? &rounds_.at(row) : nullptr;
}

int RoundsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rounds_.size());
}

int RoundsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RoundsModel::data(const QModelIndex &index, int role) const
{
    const HistoryStore::Summary *round = At(index.row());
    if (!round)
        return {};
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == Players || index.column() == Total;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ToolTipRole)
        return {};
    if (role == Qt::ToolTipRole && index.column() != Names)
        return {};
    switch (index.column()) {
    case When:
        return round->playedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Number:
        return round->number;
    case Players:
        return QStringLiteral("%1명").arg(round->players);
    case Names:
        return round->names;
    case Total:
        return QLocale::system().toString(round->total) + QStringLiteral(" 원");
    case State:
        return round->finished ? QStringLiteral("끝남") : QStringLiteral("중단");
    case Printed:
        if (round->printed && round->saved)
            return QStringLiteral("인쇄, 저장");
        return round->printed ? QStringLiteral("인쇄") : round->saved ? QStringLiteral("저장") : QString();
    default:
        return {};
    }
}

QVariant RoundsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char *const kHeads[] = {"일시", "게임 번호", "인원", "이름", "당첨총액", "상태", "인쇄"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kHeads[section]) : QVariant();
}
