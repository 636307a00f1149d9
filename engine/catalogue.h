// The core catalogue and the wire table: the stored texts and their loaders.
#pragma once

#include <string>
#include <vector>

#include "design_record.h"

namespace coredesign {

// The stored texts themselves (comma-separated, led by one comma).
const char* GappedCatalogueText();
const char* NoGapCatalogueText();
const char* WireTableText();

// Rebuilds the four wire arrays from the stored wire text.
void DataLoad(DesignRecord& rec);

// Rebuilds the thirteen catalogue arrays from the family chosen by
// GappedCores and raises MaxAreaProduct. (The input screen then refills its
// core size list from the loaded rows.)
void ArrayData_QV_Load(DesignRecord& rec);

// A record as the input screen's load leaves it: Calculate Core, the wire
// table and the catalogue of the chosen family loaded.
DesignRecord LoadedRecord(bool gapped = true);

// Core size list entries: the part number, then the outer and inner
// diameters and the height (written by every catalogue load), or the height
// first (written when Pick Core is chosen). (Formerly layouts A and B.)
enum class PickLayout { DiametersFirst, HeightFirst };

// The entry of catalogue row `row` (1-based).
std::string PickListEntry(const DesignRecord& rec, int row, PickLayout layout);

// The whole list: the empty entry, then one entry per loaded row, so that a
// list position equals the catalogue row.
std::vector<std::string> LoadPickCoreArray(const DesignRecord& rec, PickLayout layout = PickLayout::DiametersFirst);

// The part number of a list text: everything before its first blank.
std::string PartNumberOfEntry(const std::string& entry);

// The catalogue row holding this part number, or 0.
int FindCoreRow(const DesignRecord& rec, const std::string& partNo);

}  // namespace coredesign
