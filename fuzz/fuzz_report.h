#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// The fuzz targets' way of turning a broken invariant into a finding: the
// checks return what broke (empty when nothing did), and libFuzzer saves the
// input of any run that aborts.
namespace fuzz_report {

inline void AbortOnFailure(const QString &failure)
{
    if (failure.isEmpty())
        return;
    std::fprintf(stderr, "==kapuna-fuzz== invariant broken: %s\n", qUtf8Printable(failure));
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz_report
