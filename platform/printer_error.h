#pragma once

#include <stdexcept>

// The one failure of printing. Every printer operation that cannot be
// carried out throws it, whatever the cause (no usable printer, a file that
// cannot be written, a value out of range); the print handler turns it into
// its single message.
class PrinterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
