#pragma once

#include <QWidget>

#include <functional>

class HistoryStore;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTableWidget;
class RoundsModel;

// "지난 게임": the rounds of the history, newest first, a search by name or
// game number, and the selected round's results. Its actions reach the game
// as requests (print the sheet again, save it as a PDF, export CSV, play the
// round again); deleting asks first and is done here. Every action has a
// key: the buttons' underlined letters, Delete, Ctrl+F for the search and
// Escape to close. The window runs beside the game and is never modal.
class HistoryWindow : public QWidget
{
    Q_OBJECT

public:
    // Asks the user a yes/no question; true for yes.
    using Confirm = std::function<bool(const QString &question)>;

    HistoryWindow(HistoryStore &store, Confirm confirm, QWidget *parent = nullptr);

    // Reads the rounds again (for the current search) and keeps the
    // selection where it can.
    void Refresh();
    // The text and the window at `factor` times their design size, never
    // larger than the screen.
    void SetZoom(double factor);

    // The selected round's id; 0 when none is selected.
    qint64 SelectedId() const;
    void Select(qint64 id);

    QLineEdit *Search() const { return search_; }
    QTableView *Rounds() const { return rounds_; }
    QTableWidget *Results() const { return results_; }

signals:
    void reprintRequested(qint64 id);
    void savePdfRequested(qint64 id);
    // Empty: every round of the history.
    void exportRequested(const QList<qint64> &ids);
    void replayRequested(qint64 id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowSelected();
    void RemoveSelected();
    QPushButton *AddButton(const QString &text, const char *name);

    HistoryStore &store_;
    Confirm confirm_;
    RoundsModel *model_;
    QLineEdit *search_;
    QTableView *rounds_;
    QLabel *heading_;
    QTableWidget *results_;
    QList<QPushButton *> needSelection_;
};
