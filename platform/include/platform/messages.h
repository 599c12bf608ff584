#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

class DialogZoom;
class QWidget;

// Every message the program shows goes through here: a modal box titled
// "Kapuna" with one OK button, which returns once the user has pressed OK.
// Inform carries the information icon (news, refusals, the printer
// message); Warn the warning icon, for a file that could not be saved.
// Tests substitute a recorder so nothing blocks.
class Messages
{
public:
    virtual ~Messages() = default;
    virtual void Inform(const QString &text) = 0;
    virtual void Warn(const QString &text) = 0;
    // A question with 예 and 아니요, 아니요 the default; true for 예.
    virtual bool Ask(const QString &question) = 0;
};

// The boxes open at the game's zoom, asked of `zoom` at every box.
class MessageBoxMessages final : public Messages
{
public:
    explicit MessageBoxMessages(const DialogZoom &zoom, QWidget *parent = nullptr);
    void Inform(const QString &text) override;
    void Warn(const QString &text) override;
    bool Ask(const QString &question) override;

    // The box Inform (Information) or Warn (Warning) shows for `text`, made
    // and laid out at the zoom but not yet shown. A path in the text wraps
    // only after a folder's "/", never inside a name.
    // A question (Yes and No buttons) defaults to No.
    std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const QString &text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Ok) const;

private:
    const DialogZoom &zoom_;
    QWidget *parent_;
};
