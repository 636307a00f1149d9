// Compare Cores: every core of the catalogue at one to nine stacked cores,
// each row exactly the Pick Core run a designer gets by hand on a freshly
// loaded input screen (that family chosen, "Pick Core", that part's list
// entry, the stack typed into txtStack, one Show Results), with what sets
// the rows apart: whether the design fits, the volume and mass of the stack,
// and which rows no other fitting row beats on both volume and total loss.
// Beside the rows, the core that Calculate Core picks for each family.
//
// Every run works on an input screen and a record of its own, and only reads
// the shared catalogues and wire table, so the comparison may run on any
// thread; it can report its progress and be cancelled between two runs.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "design_record.h"
#include "design_run.h"
#include "messages.h"

namespace coredesign {

class InputScreen;

// One family to compare and the texts its runs are given: the eleven fields
// and the two unit lists (txtStack only for the Calculate Core run; each row
// types its own stack).
struct ComparedFamily {
    bool gapped = true;
    InputTexts texts;
    RunEnvironment environment;  // what its runs read from the system (the front end's)
};

// Copies what the designer types, the eleven fields and the two unit lists,
// from one set of texts into another; the core size list is left as it is.
void TypeTexts(const InputTexts& from, InputTexts& to);

// The texts an input screen holding `texts`, with the family `from` chosen,
// shows once `family` is chosen: the same texts, but for the flux density that
// choosing another family sets.
InputTexts TextsAfterChoosingFamily(const InputTexts& texts, bool from, bool family);

// One Pick Core run of the comparison.
struct ComparisonRow {
    bool gapped = true;
    int catalogueRow = 0;  // the part's row in its family's catalogue (= its list position)
    std::string part;
    int stack = 1;
    Outcome outcome = Outcome::Validation;
    bool temperatureAlarm = false;  // the temperature message was shown
    bool fits = false;              // results, and no temperature alarm
    bool pareto = false;            // fits, and no fitting row beats it on both volume and total loss
    double volume = 0;              // cm^3, the stack's outer envelope pi (OD/20)^2 (HT/10) stack
    double mass = 0;                // g, stack x the catalogue's mass of one core
    DesignRecord record;            // the run's record (referring to the shared catalogue and wire table)
};

// The Calculate Core run of one family with the texts as they stand.
struct CalculateCorePick {
    bool gapped = true;
    Outcome outcome = Outcome::Validation;
    std::string part;  // the chosen core when the run ends on the results screen, else empty
    int stack = 1;     // the record's stack after the run
    std::vector<Message> messages;
};

CalculateCorePick RunCalculateCore(const ComparedFamily& family);

struct Comparison {
    std::vector<ComparedFamily> families;
    std::vector<CalculateCorePick> calculateCore;  // one per family, in the same order
    std::vector<ComparisonRow> rows;               // by family, catalogue row, then stack
    bool cancelled = false;                        // stopped early: the rows are incomplete and unmarked
};

// For a front end that runs the comparison on a worker thread. `progress` is
// called on the comparison's thread after each run.
struct ComparisonControl {
    const std::atomic<bool>* cancel = nullptr;  // when set, the comparison stops before its next run
    std::function<void(int done, int total)> progress;
};

// The largest stack a row is run with.
inline constexpr int kMaxComparedStack = 9;

// The number of Pick Core runs for these families.
int ComparisonRuns(const std::vector<ComparedFamily>& families);

// The Calculate Core run of each family, then every catalogue row of each
// family at stacks 1 to 9, the Pareto rows marked.
Comparison CompareCores(const std::vector<ComparedFamily>& families, const ComparisonControl& control = {});

// The same comparison a slice at a time, for a front end with a single
// thread (a browser's worker reads its messages, a cancel among them,
// between two slices): the Calculate Core runs first, then the rows in
// CompareCores' order, the Pareto rows marked once the last row is in.
class SteppedComparison {
public:
    explicit SteppedComparison(std::vector<ComparedFamily> families);
    ~SteppedComparison();
    SteppedComparison(SteppedComparison&&) noexcept;
    SteppedComparison& operator=(SteppedComparison&&) noexcept;
    // Runs up to `runs` more rows; true once every row is in.
    bool Step(int runs);
    bool Complete() const { return done_ == total_; }
    int Done() const { return done_; }
    int Total() const { return total_; }
    // The comparison so far (complete or not).
    const Comparison& Result() const { return comparison_; }
    Comparison& Result() { return comparison_; }

private:
    Comparison comparison_;
    int total_ = 0;
    int done_ = 0;
    std::size_t family_ = 0;  // the family, catalogue row and stack of the next run
    int catalogueRow_ = 1;
    int stack_ = 1;
    std::vector<InputScreen> pickCore_;  // by family: a fresh screen with "Pick Core" chosen
};

// Sets `pareto` on every row: a row that fits and that no other fitting row
// has both volume and total loss at or below, with one of them strictly below.
void MarkParetoRows(std::vector<ComparisonRow>& rows);

// The position in `rows` of the Calculate Core pick of family `k` (its family,
// part and stack), or -1 when that run chose no core.
int CalculateCoreRow(const Comparison& comparison, std::size_t k);

// "gapped" or "nogap", as the command line names the families.
const char* FamilyName(bool gapped);

// The table as CSV: one header line, then one line per row; a point as the
// decimal separator whatever the locale, each number in the fewest digits
// that read back as the same double (empty when not finite), `\n` line ends.
std::string ComparisonCsv(const Comparison& comparison);

// A figure as the CSV files write it: the shortest text that reads back as
// the same double (1.83, not 1.8300000000000001), a point for the decimal
// separator; empty when not finite.
std::string ExactNumber(double value);

}  // namespace coredesign
