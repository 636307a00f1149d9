// --batch: many designs in one call. The file is CSV (RFC 4180: a comma
// between cells, a cell in double quotes may hold commas, quotes written
// twice and line breaks; lines end in LF or CR LF; a leading UTF-8 byte order
// mark is skipped). Its header names one option a column, without the
// dashes; each further row is one run, exactly as the single command line
// with the row's options makes it (an empty cell leaves its option out).
//
// A column may name what belongs to one design: the field texts
// (inductance ... stack), the two units, family, pick, design (a design file
// to start from), and the files a run writes: save-design, report and spice.
// Any other option, a name given twice, or a header that cannot be read
// refuses the whole file.
//
// Output: CSV with the input columns, then outcome, message (the first
// message's id), CoreSize, Stack, Turns, WireSize, InductanceFullLoad,
// ActualFillFactor, CopperLossAtTemp, CoreLoss, TotalLoss, TempRise,
// temperature_alarm; or with --json one JSON document a line (JSON Lines),
// each the single run's document with "row" (1 for the first data row)
// first. A row that cannot be read as CSV, or whose options are a usage
// error, gets the outcome "usage" and its message, and the rows after it
// still run.
#pragma once

#include <ostream>
#include <string_view>

#include "options.h"
#include "run.h"

namespace coredesign::cli {

// The largest batch file read (256 MiB; ten thousand designs take about a
// megabyte).
inline constexpr std::size_t kMaxBatchFileBytes = std::size_t{256} << 20;

// Whether a batch column may name this option.
bool IsBatchColumn(const OptionEntry& option);

// Runs the batch file of --batch (or standard input for "-"). Exit status:
// 0 when every row was read and run, whatever each run's outcome; 1 when a
// file that a row asked for could not be written (told on `err` with its
// row); 2 when the batch file cannot be read or its header is refused.
int RunBatch(const Options& options, Host& host, std::ostream& out, std::ostream& err);

// The same for the batch file's text; `json` for JSON Lines.
int RunBatchText(std::string_view csv, bool json, Host& host, std::ostream& out, std::ostream& err);

}  // namespace coredesign::cli
