#include "catalogue.h"

#include <cmath>
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

template <typename T>
void ResetArray(std::vector<T>& v) {
    v.assign(1, T{});
}

}  // namespace

const char* GappedCatalogueText() {
    return kGappedText;
}
const char* NoGapCatalogueText() {
    return kNoGapText;
}
const char* WireTableText() {
    return kWireText;
}

void DataLoad(DesignRecord& rec) {
    std::vector<double>* cols[] = {&rec.WireTableAWG, &rec.WireTableResistance, &rec.WireTableDiameter,
                                   &rec.WireTableArea};
    for (auto* c : cols) ResetArray(*c);
    WalkFields(kWireText, 4, [&](int column, std::string_view field) {
        if (column == 1)
            for (auto* c : cols) c->push_back(0);
        cols[column - 1]->back() = Val(field);
    });
}

void ArrayData_QV_Load(DesignRecord& rec) {
    std::vector<double>* cols[] = {nullptr,       &rec.CoreOD,     &rec.CoreID,     &rec.CoreHT,   &rec.CoreLm,
                                   &rec.CoreAc,   &rec.CoreVolume, &rec.CoreWa,     &rec.CoreWaAc, &rec.CoreMass,
                                   &rec.CorePerm, &rec.CoreAL,     &rec.CoreSurface};
    ResetArray(rec.CorePartNo);
    for (int k = 1; k < 13; ++k) ResetArray(*cols[k]);
    WalkFields(rec.GappedCores ? kGappedText : kNoGapText, 13, [&](int column, std::string_view field) {
        if (column == 1) {
            rec.CorePartNo.emplace_back(field);
            for (int k = 1; k < 13; ++k) cols[k]->push_back(0);
            return;
        }
        double v = Val(field);
        cols[column - 1]->back() = v;
        if (column == 9 && v > rec.MaxAreaProduct) rec.MaxAreaProduct = v;
    });
}

DesignRecord LoadedRecord(bool gapped) {
    DesignRecord rec;
    rec.CalculatorType = Calculator::CalculateCore;
    DataLoad(rec);
    rec.GappedCores = gapped;
    ArrayData_QV_Load(rec);
    return rec;
}

std::string PickListEntry(const DesignRecord& rec, int row, PickLayout layout) {
    std::string part(TrimBlanks(rec.CorePartNo[row]));
    if (part.size() < 20) part.append(20 - part.size(), ' ');
    auto mm = [](double v) { return FormatWhole(static_cast<int>(std::round(v))); };
    const std::string od = mm(rec.CoreOD[row]), id = mm(rec.CoreID[row]), ht = mm(rec.CoreHT[row]);
    if (layout == PickLayout::DiametersFirst)
        return part + " OD= " + od + "mm,  ID= " + id + " mm, Height = " + ht + "mm";
    return part + " HT= " + ht + "mm,  OD= " + od + " mm, ID = " + id + "mm";
}

std::vector<std::string> LoadPickCoreArray(const DesignRecord& rec, PickLayout layout) {
    std::vector<std::string> entries;
    entries.reserve(rec.CorePartNo.size());
    entries.emplace_back();
    for (int row = 1; row <= rec.CatalogueRows(); ++row) entries.push_back(PickListEntry(rec, row, layout));
    return entries;
}

std::string PartNumberOfEntry(const std::string& entry) {
    return entry.substr(0, entry.find(' '));
}

int FindCoreRow(const DesignRecord& rec, const std::string& partNo) {
    for (int row = 1; row <= rec.CatalogueRows(); ++row)
        if (rec.CorePartNo[row] == partNo) return row;
    return 0;
}

}  // namespace coredesign
