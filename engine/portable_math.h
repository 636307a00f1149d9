// The power and exponential functions of the figures, the same on every
// build. The C libraries' pow and exp round their last bit differently
// (glibc's, chosen at run time for a processor with fused multiply-adds,
// differs from musl's under WebAssembly in about 7 calls of 10,000), so the
// engine carries its own: the table-driven algorithms of those libraries,
// written with the four basic operations only (no fused multiply-add), which
// every IEEE 754 double precision machine rounds alike. Accurate to 0.54
// units in the last place.
#pragma once

namespace coredesign {

// x to the power y, as std::pow for every finite and non-finite argument.
double Power(double x, double y);

// e to the power x, as std::exp.
double Exponential(double x);

}  // namespace coredesign
