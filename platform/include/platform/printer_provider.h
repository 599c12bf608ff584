#pragma once

#include "platform/outcome.h"

#include <functional>

class Printer;

// Hands out the system's default printer for one document and says what
// became of it. The printer lives only while job runs.
class PrinterProvider
{
public:
    using Job = std::function<void(Printer &printer)>;

    virtual ~PrinterProvider() = default;

    // Prints the document job draws, which job must end (EndDoc). A job
    // that fails half-way with PrinterError prints nothing and is a
    // PrinterFailure; every other exception passes through unchanged.
    virtual Outcome RunJob(const Job &job) = 0;
};
