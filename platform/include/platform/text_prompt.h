#pragma once

#include <QString>

#include <optional>

class DialogZoom;
class QWidget;

// Asks the user to type one line, such as a game number from a sheet.
// Behind an interface so that tests answer for the user and no dialog ever
// opens in a test.
class TextPrompt
{
public:
    virtual ~TextPrompt() = default;

    // The text typed, or nothing when the user cancelled.
    virtual std::optional<QString> AskText(QWidget *parent, const QString &title,
                                           const QString &label) = 0;
};

// A small input dialog over the game, at its zoom.
class InputDialogPrompt final : public TextPrompt
{
public:
    explicit InputDialogPrompt(const DialogZoom &zoom);
    std::optional<QString> AskText(QWidget *parent, const QString &title,
                                   const QString &label) override;

private:
    const DialogZoom &zoom_;
};
