#include "design_record.h"

namespace coredesign {

void DataLoad(DesignRecord& rec) {
    rec.LoadedWireTable = &WireTable::Stored();
}

void ArrayData_QV_Load(DesignRecord& rec) {
    rec.LoadedCatalogue = &Catalogue::OfFamily(rec.GappedCores);
    if (rec.LoadedCatalogue->LargestWaAc() > rec.MaxAreaProduct)
        rec.MaxAreaProduct = rec.LoadedCatalogue->LargestWaAc();
}

DesignRecord LoadedRecord(bool gapped) {
    DesignRecord rec;
    rec.CalculatorType = Calculator::CalculateCore;
    DataLoad(rec);
    rec.GappedCores = gapped;
    ArrayData_QV_Load(rec);
    return rec;
}

}  // namespace coredesign
