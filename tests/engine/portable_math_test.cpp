// The engine's own power and exponential: the correctly rounded value where
// a C library's last bit may differ (values worked out with 200-bit
// arithmetic), the special and exact cases, and within one unit in the last
// place of the C library's everywhere else.
#include "portable_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace coredesign {
namespace {

// The same double, or both NaN.
bool Same(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
}

TEST(PortableMath, CorrectlyRoundedValues) {
    // clang-format off
    const struct { double x, y, expected; } powers[] = {
        // The loss densities of three Compare Cores rows (0.44-0.47 units
        // from a double: a less accurate pow misses these by one bit).
        {35.5614400456573, 0.833, 0x1.3963f5343bab3p+4},
        {96.48984166233127, 0.833, 0x1.67e26f42ae6e7p+5},
        {74.20838656889033, 0.833, 0x1.212fa070f3001p+5},
        {12345.678, 0.833, 0x1.3ffe7cef85c61p+11},
        {0.0123, 2.6, 0x1.6aa9b69f7467dp-17},  // a core loss term
        {7.25, 1.16, 0x1.3e86204c6d998p+3},    // an area product
        {0.001, 2.89, 0x1.25d6da8a0ae92p-29},  // the gapped roll-off
        {0.3, -2.5, 0x1.44938a632994cp+4},
    };
    const struct { double x, expected; } exponentials[] = {
        {-1.5, 0x1.c8f87724b5c1dp-3}, {0.5, 0x1.a61298e1e069cp+0}, {3.0, 0x1.415e5bf6fb106p+4},
        {-30.0, 0x1.a56e0c2ac7f75p-44}, {700.0, 0x1.d945df4f8ec8ep+1009},
    };
    // clang-format on
    for (const auto& c : powers) EXPECT_EQ(Power(c.x, c.y), c.expected) << c.x << " ^ " << c.y;
    for (const auto& c : exponentials) EXPECT_EQ(Exponential(c.x), c.expected) << "exp " << c.x;
}

// Where C's pow and exp are defined exactly (a zero, an infinity or a NaN
// among the arguments, a base of one, an exponent of zero, a negative base
// to a power that is not whole, overflow and underflow), and where the
// result is a double itself.
TEST(PortableMath, SpecialAndExactCases) {
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double bases[] = {0.0, -0.0, inf, -inf, nan, 1.0};  // also exponents, but for 1
    const double ordinary[] = {-1.0, 2.0, -2.0, 0.5, -0.5, 3.0, -3.0, 2.6, -2.6, 1e-310, 5e-324, 1e308, -1e308};
    for (double a : bases) {
        EXPECT_TRUE(Same(Exponential(a), std::exp(a))) << "exp " << a;
        for (double b : bases) EXPECT_TRUE(Same(Power(a, b), std::pow(a, b))) << a << " ^ " << b;
        for (double b : ordinary) {
            EXPECT_TRUE(Same(Power(a, b), std::pow(a, b))) << a << " ^ " << b;
            if (a != 1.0) {
                EXPECT_TRUE(Same(Power(b, a), std::pow(b, a))) << b << " ^ " << a;
            }
        }
    }
    // clang-format off
    const struct { double x, y, expected; } cases[] = {
        {2, 3, 8}, {-2, 3, -8}, {-2, -3, -0.125}, {0.5, -3, 8}, {4, 0.5, 2}, {-1, 1e300, 1}, {-1, 3, -1},
        {-8, 1.0 / 3, nan}, {-2.6, 0.5, nan}, {1e308, 2, inf}, {-1e308, 3, -inf}, {1e-310, 2, 0}, {-1e-310, 3, -0.0},
        {2, 1024, inf}, {2, -1074, 5e-324}, {2, -1075, 0}, {10, 308.5, inf}, {0.5, 1100, 0},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_TRUE(Same(Power(c.x, c.y), c.expected)) << c.x << " ^ " << c.y;
    const struct { double x, expected; } exponentials[] = {{0, 1}, {-0.0, 1}, {710, inf}, {-746, 0}, {1e-20, 1}};
    for (const auto& c : exponentials) EXPECT_TRUE(Same(Exponential(c.x), c.expected)) << "exp " << c.x;
}

// Within one unit in the last place of the C library's, and the same bits
// in all but a few calls in a thousand.
TEST(PortableMath, AgreesWithTheCLibrary) {
    std::mt19937_64 gen(20261207);
    std::uniform_real_distribution<double> exponent(-30, 30), power(-4, 4), argument(-745, 709);
    const auto withinOneUnit = [](double a, double b) { return a == b || std::nextafter(a, b) == b; };
    int calls = 0, differing = 0;
    for (int k = 0; k < 200000; ++k) {
        const double x = std::exp2(exponent(gen)), y = power(gen), z = argument(gen);
        const double p = Power(x, y), e = Exponential(z);
        EXPECT_TRUE(withinOneUnit(p, std::pow(x, y))) << x << " ^ " << y;
        EXPECT_TRUE(withinOneUnit(e, std::exp(z))) << "exp " << z;
        calls += 2;
        differing += (p != std::pow(x, y)) + (e != std::exp(z));
        if (::testing::Test::HasFailure()) return;
    }
    EXPECT_LT(differing, calls / 200);
}

}  // namespace
}  // namespace coredesign
