#include "messages.h"

#include "constants.h"
#include "numtext.h"

namespace coredesign {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string PhoneLine(const char* lead, const char* beforeAsia) {
    return std::string(lead) + kPhoneUsa + "    Europe " + kPhoneEurope + beforeAsia + "Asia " + kPhoneAsia;
}

}  // namespace

const char* MessageIdName(MessageId id) {
    switch (id) {
        case MessageId::Inductance: return "inductance";
        case MessageId::OutputVoltage: return "output_voltage";
        case MessageId::DcCurrent: return "dc_current";
        case MessageId::MinInputVoltage: return "min_input_voltage";
        case MessageId::Frequency: return "frequency";
        case MessageId::FluxDensity: return "flux_density";
        case MessageId::AmbientTemp: return "ambient_temp";
        case MessageId::CurrentDensity: return "current_density";
        case MessageId::FillFactor: return "fill_factor";
        case MessageId::CoreSize: return "core_size";
        case MessageId::Stack: return "stack";
        case MessageId::AreaProduct: return "area_product";
        case MessageId::DcBias: return "dc_bias";
        case MessageId::Fill: return "fill";
        case MessageId::Temperature: return "temperature";
        case MessageId::NoWire: return "no_wire";
        case MessageId::InductanceLimit: return "inductance_limit";
        case MessageId::DesignFile: return "design_file";
    }
    return "";
}

std::string AreaProductMessageText() {
    return std::string("Calculated area product exceeds the maximum for available core sizes.  Try") + kCrLf +
           "stacking two or more cores if acceptable, otherwise, for customer sizes, send" + kCrLf + "an e-mail to " +
           kSupportEmail + " or call:" + kCrLf + PhoneLine(" USA ", "      ");
}

std::string DcBiasMessageText() {
    return "DC bias capability exceeded for selected core.  Pick a larger core, stack cores or use a lower "
           "permeability. ";
}

std::string FillMessageText(double actualFillFactor, double fillFactor) {
    return "Actual window fill, " + FormatPlain(RoundHalfEven(actualFillFactor, 2) * 100) + "% exceeds " +
           FormatPlain(fillFactor * 100) + "%." + kCrLf +
           "Please be sure that fill factor is acceptable or select one of the following options:" + kCrLf + kCrLf +
           "    1) Choose bigger core with a larger area product. " + kCrLf +
           "    2) Try stacking two or more cores if acceptable." + kCrLf +
           "    3) Contact us for custom sizes:  " + kCrLf + "          e-mail:   " + kSupportEmail + kCrLf +
           PhoneLine("          or call:  USA ", "      ");
}

std::string TemperatureMessageText() {
    return std::string("Total temperature for core size selected is > 155\u00B0C.") + kCrLf +
           "Please use program choice 2 and select larger core sizes, stack" + kCrLf +
           "two or more cores, or inquire about custom core sizes by e-mailing us" + kCrLf + "at " + kSupportEmail +
           " or call:" + kCrLf + PhoneLine(" USA ", "    ");
}

std::string NoWireMessageText() {
    return "Required copper area exceeds the largest wire in the table (AWG 8).  Lower the DC current or raise "
           "the current density.";
}

std::string InductanceLimitMessageText() {
    return "The full-load inductance could not be reached.  Pick a larger core, stack cores or use a lower "
           "permeability.";
}

}  // namespace coredesign
