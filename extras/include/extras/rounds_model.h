#pragma once

#include "platform/history_store.h"

#include <QAbstractTableModel>

// The rounds of the history as the "지난 게임" window lists them, newest
// first: date and time, number, player count, names, total, and whether the
// round finished and its sheet was printed or saved.
class RoundsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { When, Number, Players, Names, Total, State, Printed, ColumnCount };

    explicit RoundsModel(QObject *parent = nullptr);

    void SetRounds(QList<HistoryStore::Summary> rounds);
    const HistoryStore::Summary *At(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<HistoryStore::Summary> rounds_;
};
