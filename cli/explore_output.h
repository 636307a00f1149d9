// --explore: Pick Core on every core and stack, as JSON or CSV.
#pragma once

#include <ostream>
#include <string>

namespace coredesign {
struct Comparison;
}

namespace coredesign::cli {

struct Options;

// False (with a message) when --explore or --csv is combined with an option
// it cannot go with.
bool CheckExploreOptions(const Options& options, std::string& error);

// The comparison's JSON document.
std::string ExploreJson(const Comparison& comparison);

// Compares every core and stack with the options' texts and prints the
// table; returns 0 when at least one row fits, else 1.
int RunExplore(const Options& options, std::ostream& out);

}  // namespace coredesign::cli
