#pragma once
// "tintora bench": every effect of the table on generated broadcast pictures,
// timed as the control runs it and as one Apply through the host, so that
// anyone can see the speed on their own machine.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct BenchSize {
    int32_t width;
    int32_t height;
    std::string label;
};

struct BenchCommand {
    std::vector<BenchSize> sizes = {{1920, 1080, "1080p"}, {3840, 2160, "4K"}};
    int runs = 7;                      // timed runs per row (fewer for very slow ones)
    std::vector<std::string> effects;  // by command-line name; empty: all
};

// Prints the table to `out`; returns 0, or 1 when some effect failed.
int RunBench(const BenchCommand& command, std::FILE* out);
