#pragma once

#include <QString>

#include <stdexcept>

// The one failure of printing. Every printer operation that cannot be
// carried out throws it, whatever the cause (no usable printer, a print
// system that does not answer, a value out of range); the print handler
// turns it into its single message.
class PrinterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The PDF standing in for a missing printer could not be saved, or was saved
// where no viewer shows it. There is no printer to check, so the user is told
// what became of the file instead: message() is a complete Korean sentence
// naming the folder or the file.
class StandInError : public PrinterError
{
public:
    StandInError(const char *what, QString message)
        : PrinterError(what)
        , message_(std::move(message))
    {
    }
    const QString &message() const { return message_; }

private:
    QString message_;
};
