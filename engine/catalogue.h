// The core catalogue and the wire table: the stored texts and their loaders.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace coredesign {

// The stored texts themselves (comma-separated, led by one comma).
const char* GappedCatalogueText();
const char* NoGapCatalogueText();
const char* WireTableText();

// Rebuilds the four wire arrays from the stored wire text.
void DataLoad(Module1& rec);

// Rebuilds the thirteen catalogue arrays from the family chosen by
// GappedCores and raises MaxAreaProduct. (The input screen then refills its
// core size list from the loaded rows.)
void ArrayData_QV_Load(Module1& rec);

// A record as the input screen's load leaves it: Calculate Core, the wire
// table and the catalogue of the chosen family loaded.
Module1 LoadedRecord(bool gapped = true);

// Core size list entries. Layout A is written by every catalogue load,
// layout B when Pick Core is chosen.
enum class PickLayout { A, B };

// The entry of catalogue row `row` (1-based).
std::string PickListEntry(const Module1& rec, int row, PickLayout layout);

// The whole list: the empty entry, then one entry per loaded row, so that a
// list position equals the catalogue row.
std::vector<std::string> LoadPickCoreArray(const Module1& rec, PickLayout layout = PickLayout::A);

// The part number of a list text: everything before its first blank.
std::string PartNumberOfEntry(const std::string& entry);

// The catalogue row holding this part number, or 0.
int FindCoreRow(const Module1& rec, const std::string& partNo);

}  // namespace coredesign
