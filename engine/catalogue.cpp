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

template <typename T>
void ResetArray(std::vector<T>& v) {
    v.assign(1, T{});
}

// The stored texts read once into arrays laid out as the record's, element 0
// never a row; every load copies them. They never change after the first read.
struct WireArrays {
    std::vector<double> awg, resistance, diameter, area;
};

struct CatalogueArrays {
    std::vector<std::string> partNo;
    std::vector<double> columns[13];                                // columns 2..13 of the stored text; 0 and 1 unused
    double largestWaAc = -std::numeric_limits<double>::infinity();  // the largest value of column 9
};

WireArrays ReadWireText() {
    WireArrays w;
    std::vector<double>* cols[] = {&w.awg, &w.resistance, &w.diameter, &w.area};
    for (auto* c : cols) ResetArray(*c);
    WalkFields(kWireText, 4, [&](int column, std::string_view field) {
        if (column == 1)
            for (auto* c : cols) c->push_back(0);
        cols[column - 1]->back() = Val(field);
    });
    return w;
}

CatalogueArrays ReadCatalogueText(const char* text) {
    CatalogueArrays a;
    ResetArray(a.partNo);
    for (int k = 1; k < 13; ++k) ResetArray(a.columns[k]);
    WalkFields(text, 13, [&](int column, std::string_view field) {
        if (column == 1) {
            a.partNo.emplace_back(field);
            for (int k = 1; k < 13; ++k) a.columns[k].push_back(0);
            return;
        }
        double v = Val(field);
        a.columns[column - 1].back() = v;
        if (column == 9 && v > a.largestWaAc) a.largestWaAc = v;
    });
    return a;
}

const WireArrays& StoredWireTable() {
    static const WireArrays table = ReadWireText();
    return table;
}

const CatalogueArrays& StoredCatalogue(bool gapped) {
    static const CatalogueArrays gappedRows = ReadCatalogueText(kGappedText);
    static const CatalogueArrays noGapRows = ReadCatalogueText(kNoGapText);
    return gapped ? gappedRows : noGapRows;
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
    const WireArrays& table = StoredWireTable();
    rec.WireTableAWG = table.awg;
    rec.WireTableResistance = table.resistance;
    rec.WireTableDiameter = table.diameter;
    rec.WireTableArea = table.area;
}

void ArrayData_QV_Load(DesignRecord& rec) {
    const CatalogueArrays& rows = StoredCatalogue(rec.GappedCores);
    std::vector<double>* cols[] = {nullptr,       &rec.CoreOD,     &rec.CoreID,     &rec.CoreHT,   &rec.CoreLm,
                                   &rec.CoreAc,   &rec.CoreVolume, &rec.CoreWa,     &rec.CoreWaAc, &rec.CoreMass,
                                   &rec.CorePerm, &rec.CoreAL,     &rec.CoreSurface};
    rec.CorePartNo = rows.partNo;
    for (int k = 1; k < 13; ++k) *cols[k] = rows.columns[k];
    if (rows.largestWaAc > rec.MaxAreaProduct) rec.MaxAreaProduct = rows.largestWaAc;
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
    const std::string_view part = TrimBlanks(rec.CorePartNo[row]);
    auto mm = [](double v) { return FormatWhole(static_cast<int>(std::round(v))); };
    const std::string od = mm(rec.CoreOD[row]), id = mm(rec.CoreID[row]), ht = mm(rec.CoreHT[row]);
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
