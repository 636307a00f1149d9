// The message boxes a Show Results run can raise, with their exact texts.
#pragma once

#include <string>

namespace coredesign {

enum class MessageId {
    Inductance,
    OutputVoltage,
    DcCurrent,
    MinInputVoltage,
    Frequency,
    FluxDensity,
    AmbientTemp,
    CurrentDensity,
    FillFactor,
    CoreSize,
    Stack,
    AreaProduct,
    DcBias,
    Fill,
    Temperature,
    NoWire,
    InductanceLimit,
    DesignFile,  // a design file refused, or a design that cannot be saved as one
};

enum class MessageIcon { Information, None };

struct Message {
    MessageId id;
    std::string text;   // line breaks are CR LF
    std::string title;  // "Caution" or the application's title
    MessageIcon icon;
    std::string focus;  // object name of the control that takes the focus, empty for none
};

// "inductance", "output_voltage", ... as the CLI's JSON names them.
const char* MessageIdName(MessageId id);

// The fixed texts of the design checks.
std::string AreaProductMessageText();
std::string DcBiasMessageText();
std::string FillMessageText(double actualFillFactor, double fillFactor);
std::string TemperatureMessageText();
std::string NoWireMessageText();
std::string InductanceLimitMessageText();

// The title of every message box that warns.
inline constexpr const char* kCautionTitle = "Caution";
// The first line of every message about a file that could not be read or written.
inline constexpr const char* kSorryMessage = "Sorry for the inconvenience";

}  // namespace coredesign
