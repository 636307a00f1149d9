// The core catalogues and the wire table: immutable rows, read once from the
// stored texts and shared read-only by every run, screen, comparison and
// thread; the core size list's entries; and the part texts.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace coredesign {

// One core of a catalogue, the columns of its stored row in order. (Formerly
// thirteen arrays of the design record, one per column, named as below.)
struct Core {
    std::string partNo;  // CorePartNo
    double od = 0;       // CoreOD, mm
    double id = 0;       // CoreID, mm
    double ht = 0;       // CoreHT, mm
    double lm = 0;       // CoreLm, magnetic path length, cm
    double ac = 0;       // CoreAc, cross-section, cm^2
    double volume = 0;   // CoreVolume, cm^3
    double wa = 0;       // CoreWa, window area, cm^2
    double waAc = 0;     // CoreWaAc, area product, cm^4
    double mass = 0;     // CoreMass, g
    double perm = 0;     // CorePerm, relative permeability
    double al = 0;       // CoreAL, nH per turn^2
    double surface = 0;  // CoreSurface, cm^2
};

// Core size list entries: the part number, then the outer and inner
// diameters and the height (written by every catalogue load), or the height
// first (written when Pick Core is chosen). (Formerly layouts A and B.)
enum class PickLayout { DiametersFirst, HeightFirst };

// The cores of one family, in the order of their stored rows (ascending area
// product). Rows are numbered from 1, as the record's CoreIndex and the core
// size list count them.
class Catalogue {
public:
    // The two families, built on first use (safe from any thread).
    static const Catalogue& Gapped();  // 100 Perm
    static const Catalogue& NoGap();   // 245 Perm
    static const Catalogue& OfFamily(bool gapped) { return gapped ? Gapped() : NoGap(); }
    // No rows: what a record refers to before a family is loaded.
    static const Catalogue& Empty();

    explicit Catalogue(std::vector<Core> cores);
    // Not copied: records and screens refer to a catalogue where it lies.
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    int Rows() const { return static_cast<int>(cores_.size()); }
    // Row `row`, 1 to Rows().
    const Core& Row(int row) const { return cores_[static_cast<std::size_t>(row - 1)]; }
    // Row `row`, or nullptr outside 1 to Rows().
    const Core* Find(int row) const { return row >= 1 && row <= Rows() ? &Row(row) : nullptr; }
    // The row holding exactly this part number, or 0.
    int RowOf(std::string_view partNo) const;
    // The largest area product of any row; minus infinity without rows.
    double LargestWaAc() const { return largestWaAc_; }
    // The core size list of this catalogue in one layout (see LoadPickCoreArray).
    const std::vector<std::string>& ListEntries(PickLayout layout) const {
        return layout == PickLayout::DiametersFirst ? diametersFirst_ : heightFirst_;
    }

private:
    std::vector<Core> cores_;
    double largestWaAc_;
    std::vector<std::string> diametersFirst_, heightFirst_;
};

// One gauge of the wire table. (Formerly the record's arrays WireTableAWG,
// WireTableResistance, WireTableDiameter and WireTableArea.)
struct Wire {
    double awg = 0;         // WireTableAWG
    double resistance = 0;  // WireTableResistance, micro-ohm per cm
    double diameter = 0;    // WireTableDiameter, cm, over insulation
    double area = 0;        // WireTableArea, 1e-3 cm^2, over insulation
};

// AWG 8 (row 1) to AWG 44 (row 37).
class WireTable {
public:
    // The stored table, built on first use (safe from any thread).
    static const WireTable& Stored();
    // No rows: what a record refers to before the table is loaded.
    static const WireTable& Empty();

    explicit WireTable(std::vector<Wire> wires) : wires_(std::move(wires)) {}

    int Rows() const { return static_cast<int>(wires_.size()); }
    // Row `row`, 1 to Rows().
    const Wire& Row(int row) const { return wires_[static_cast<std::size_t>(row - 1)]; }

private:
    std::vector<Wire> wires_;
};

// The stored texts themselves (comma-separated, led by one comma).
const char* GappedCatalogueText();
const char* NoGapCatalogueText();
const char* WireTableText();

// The list entry of one core.
std::string PickListEntry(const Core& core, PickLayout layout);

// The whole list: the empty entry, then one entry per row, so that a list
// position equals the catalogue row. Written once per catalogue and layout.
const std::vector<std::string>& LoadPickCoreArray(const Catalogue& catalogue,
                                                  PickLayout layout = PickLayout::DiametersFirst);

// The part number of a list text: everything before its first blank.
std::string PartNumberOfEntry(const std::string& entry);

// A core named with its stack, "6218TXGP * 2", as the results screen, the
// curve window, the SPICE model, Compare Cores and the CLI's summary name a
// design's core; one core is named by its part number alone unless
// `oneCore` asks for " * 1" too (as the report's row of the stack does).
enum class StackOfOne { PartAlone, Written };
std::string PartWithStack(std::string_view partNo, int stack, StackOfOne oneCore = StackOfOne::PartAlone);

}  // namespace coredesign
