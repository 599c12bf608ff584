// One figure of the README's performance table, as a line of its own:
//
//   figure: WHAT = VALUE
//
// scripts/bench.sh (make bench) collects these lines from every benchmark
// and prints them together at the end of the run.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

__attribute__((format(printf, 2, 3))) inline void Figure(const std::string &what,
                                                         const char *format, ...)
{
    std::printf("figure: %s = ", what.c_str());
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    // A child process's lines must not overtake ours.
    std::fflush(stdout);
}
