// --explore: Pick Core on every core and stack, as JSON or CSV.
#pragma once

#include <ostream>
#include <string>

namespace coredesign {
struct Comparison;
}

namespace coredesign::cli {

struct Options;

// The comparison's JSON document.
std::string ExploreJson(const Comparison& comparison);

// Compares every core and stack with the options' texts and prints the
// table; returns 0 when at least one row fits, else 1.
int RunExplore(const Options& options, std::ostream& out);

}  // namespace coredesign::cli
