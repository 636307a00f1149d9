#include "catalogue.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "numtext.h"

namespace coredesign {
namespace {

#include "catalogue_data.inc"

// Runs the comma walk over a stored text: `field(counter, text)` receives
// each field with its 1-based column, counting 1..columns and starting again.
template <typename OnField>
void WalkFields(std::string_view text, int columns, OnField field) {
    size_t previous = 0;  // the leading comma
    size_t next = text.find(',', 1);
    int counter = 0;
    while (next != std::string_view::npos) {
        ++counter;
        if (counter == columns + 1) counter = 1;
        field(counter, text.substr(previous + 1, next - previous - 1));
        previous = next;
        next = text.find(',', previous + 1);
    }
}

// Columns 2 to 13 of a stored catalogue row (column 1 is the part number).
constexpr double Core::*kCoreColumns[] = {&Core::od, &Core::id,   &Core::ht,   &Core::lm,   &Core::ac, &Core::volume,
                                          &Core::wa, &Core::waAc, &Core::mass, &Core::perm, &Core::al, &Core::surface};
constexpr double Wire::*kWireColumns[] = {&Wire::awg, &Wire::resistance, &Wire::diameter, &Wire::area};

std::vector<Core> ReadCatalogueText(const char* text) {
    std::vector<Core> cores;
    WalkFields(text, 13, [&](int column, std::string_view field) {
        if (column == 1)
            cores.emplace_back().partNo = field;
        else
            cores.back().*kCoreColumns[column - 2] = Val(field);
    });
    return cores;
}

std::vector<Wire> ReadWireText() {
    std::vector<Wire> wires;
    WalkFields(kWireText, 4, [&](int column, std::string_view field) {
        if (column == 1) wires.emplace_back();
        wires.back().*kWireColumns[column - 1] = Val(field);
    });
    return wires;
}

}  // namespace

Catalogue::Catalogue(std::vector<Core> cores)
    : cores_(std::move(cores)), largestWaAc_(-std::numeric_limits<double>::infinity()) {
    for (const Core& core : cores_)
        if (core.waAc > largestWaAc_) largestWaAc_ = core.waAc;
    for (auto [layout, list] :
         {std::pair{PickLayout::DiametersFirst, &diametersFirst_}, std::pair{PickLayout::HeightFirst, &heightFirst_}}) {
        list->reserve(cores_.size() + 1);
        list->emplace_back();
        for (const Core& core : cores_) list->push_back(PickListEntry(core, layout));
    }
}

// Each built once, at its first use; C++ makes that first use safe from
// concurrent threads, and nothing changes the rows afterwards.
const Catalogue& Catalogue::Gapped() {
    static const Catalogue rows(ReadCatalogueText(kGappedText));
    return rows;
}

const Catalogue& Catalogue::NoGap() {
    static const Catalogue rows(ReadCatalogueText(kNoGapText));
    return rows;
}

const Catalogue& Catalogue::Empty() {
    static const Catalogue none({});
    return none;
}

int Catalogue::RowOf(std::string_view partNo) const {
    for (int row = 1; row <= Rows(); ++row)
        if (Row(row).partNo == partNo) return row;
    return 0;
}

const WireTable& WireTable::Stored() {
    static const WireTable table(ReadWireText());
    return table;
}

const WireTable& WireTable::Empty() {
    static const WireTable none({});
    return none;
}

const char* GappedCatalogueText() {
    return kGappedText;
}
const char* NoGapCatalogueText() {
    return kNoGapText;
}
const char* WireTableText() {
    return kWireText;
}

std::string PickListEntry(const Core& core, PickLayout layout) {
    const std::string_view part = TrimBlanks(core.partNo);
    auto mm = [](double v) { return FormatWhole(static_cast<int>(std::round(v))); };
    const std::string od = mm(core.od), id = mm(core.id), ht = mm(core.ht);
    // Built in one piece: the part number padded to 20 places, then the sizes.
    std::string entry;
    entry.reserve(std::max<size_t>(part.size(), 20) + 48 + od.size() + id.size() + ht.size());
    entry.append(part);
    if (part.size() < 20) entry.append(20 - part.size(), ' ');
    if (layout == PickLayout::DiametersFirst)
        entry.append(" OD= ")
            .append(od)
            .append("mm,  ID= ")
            .append(id)
            .append(" mm, Height = ")
            .append(ht)
            .append("mm");
    else
        entry.append(" HT= ").append(ht).append("mm,  OD= ").append(od).append(" mm, ID = ").append(id).append("mm");
    return entry;
}

const std::vector<std::string>& LoadPickCoreArray(const Catalogue& catalogue, PickLayout layout) {
    return catalogue.ListEntries(layout);
}

std::string PartNumberOfEntry(const std::string& entry) {
    return entry.substr(0, entry.find(' '));
}

std::string PartWithStack(std::string_view partNo, int stack, StackOfOne oneCore) {
    std::string text(partNo);
    if (stack != 1 || oneCore == StackOfOne::Written) text.append(" * ").append(FormatWhole(stack));
    return text;
}

}  // namespace coredesign
