// Constants of the design calculation and of the maker, in one place.
#pragma once

namespace coredesign {

// pi as the calculation uses it, and its double.
inline constexpr double kPi = 3.141592654;
inline constexpr double kTwoPi = 6.283185308;

inline constexpr double kSkinDepthConstant = 6.62;  // cm * Hz^0.5, copper
inline constexpr double kWindingAllowance = 1.1;    // conductor length / (turns * mean turn)
inline constexpr double kRippleFactor = 0.577;      // RMS of the ripple in the AC copper loss
inline constexpr double kCoreLossHysteresis = 275;  // W/kg per kHz at (Bac/2)^2.6
inline constexpr double kCoreLossHysteresisExp = 2.6;
inline constexpr double kCoreLossEddy = 0.114;             // W/kg per kHz^2 at (Bac/2)^2
inline constexpr double kThermalExponent = 0.833;          // on the loss density in mW/cm^2
inline constexpr double kCopperTempCoefficient = 0.00393;  // per degC about 25 degC
inline constexpr double kGappedRollOffField = 155.51;      // Oe, the gapped material's DC bias roll-off
inline constexpr double kGappedRollOffExponent = 2.89;     // ... and its exponent

inline constexpr double kTurnsCeiling = 32000;         // above this ...
inline constexpr double kTurnsClamp = 31000;           // ... the turns are set to this
inline constexpr double kMaxTotalTemperature = 155;    // degC, ambient plus rise
inline constexpr double kInductanceStep = 1.005;       // design inductance raise per pass
inline constexpr double kInductanceTolerance = -0.03;  // rounded deviation below this asks for a pass
inline constexpr int kMaxInductancePasses = 10000;
inline constexpr int kRetryCounterLimit = 99;

// The maker.
inline constexpr const char* kSupportEmail = "applications@kestrova.example";
inline constexpr const char* kPhoneUsa = "1-800-555-0142";
inline constexpr const char* kPhoneEurope = "+44 20 7946 0142";
inline constexpr const char* kPhoneAsia = "+852 5550 0142";
inline constexpr const char* kWebHost = "www.kestrova.example";
inline constexpr const char* kAppTitle = "Output Inductor Core Design Tool";

}  // namespace coredesign
