// A circuit model of the designed choke for SPICE (written for ngspice): the
// winding's copper resistance at the operating temperature in series with an
// inductance that follows the design's inductance curve.
#pragma once

#include <string>

#include "design_record.h"

namespace coredesign {

// The copper resistance at the operating temperature, ohm: the 25 degC
// resistance raised by copper's temperature coefficient for the ambient plus
// the rise (the factor of the copper loss at temperature).
double HotCopperResistance(const DesignRecord& rec);

// The subcircuit's name: "CHOKE_" and the part, "X" and the stack when more
// than one core is stacked, and the turns ("CHOKE_6218TXGP_58T").
std::string SpiceSubcircuitName(const DesignRecord& rec);

// The model file's text for the design in the record (HoldsDesign must be
// true): a comment header naming the design, its figures and what the model
// leaves out, then ".subckt NAME A B" ... ".ends NAME". The same design always
// gives the same text; numbers are written with 17 significant digits.
std::string SpiceModel(const DesignRecord& rec);

}  // namespace coredesign
