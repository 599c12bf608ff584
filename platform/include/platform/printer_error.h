#pragma once

#include <QString>

#include <stdexcept>

// The one failure of a printer. Every printer operation that cannot be
// carried out throws it, whatever the cause (no usable printer, a print
// system that does not answer, a value out of range). Whoever runs a
// document (the printer provider, the PDF save) turns it into an outcome:
// it never reaches the window.
class PrinterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
