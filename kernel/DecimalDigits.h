#pragma once
// Correctly rounded decimal digits of a finite double, ties to even (as std::to_chars rounds).
// One rounded double product usually decides them; where it cannot, 128-bit integers compute
// them exactly. Much faster than a general shortest-or-precision conversion for the few digits
// a fixed-layout field shows. Each function returns false when the value lies beyond what the
// integers hold; the caller then uses std::to_chars. Inline: every number field calls them.

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace dorvek::fixed {

namespace digits {

// The exactly representable powers of ten.
inline constexpr std::array<double, 23> kExactPowers = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// magnitude * 10^decimal to the nearest integer through one rounded product or quotient,
// which lies within y * 2^-53 of the exact y. That decides the rounding unless y lies that close
// to a half, where (as beyond the exact powers) this gives false and the integers decide.
inline bool NearestScaled(double magnitude, int decimal, std::uint64_t& rounded) {
#if FLT_EVAL_METHOD == 0
    if (decimal > 22 || decimal < -22) return false;
    const double y = decimal >= 0 ? magnitude * kExactPowers[static_cast<std::size_t>(decimal)]
                                  : magnitude / kExactPowers[static_cast<std::size_t>(-decimal)];
    if (!(y < 0x1p52)) return false; // below 2^52 the fraction is exact
    const auto whole = static_cast<std::uint64_t>(y);
    const double fraction = y - static_cast<double>(whole);
    if (std::fabs(fraction - 0.5) <= y * 0x1p-50) return false;
    rounded = whole + (fraction > 0.5 ? 1 : 0);
    return true;
#else
    (void)magnitude, (void)decimal, (void)rounded;
    return false;
#endif
}

constexpr std::array<std::uint64_t, 20> MakeIntegerPowers() {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t p = 1;
    for (auto& entry : powers) {
        entry = p;
        p *= 10; // wraps after 10^19, which is not kept
    }
    return powers;
}
inline constexpr std::array<std::uint64_t, 20> kIntegerPowers = MakeIntegerPowers();

// The significant digits of a normal double through NearestScaled, for count <= 9; false
// when that leaves the rounding open.
inline bool QuickSignificantDigits(double value, int count, std::uint64_t& digits, int& exponent) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto field = static_cast<int>((bits >> 52) & 0x7FF);
    if (field == 0 || field == 0x7FF || count < 1 || count > 9) return false;
    // floor(log10 |value|) is floor(log2 * log10(2)) or one more.
    const int log10 = ((field - 1023) * 78913) >> 18;
    const double magnitude = std::fabs(value);
    const std::uint64_t low = kIntegerPowers[static_cast<std::size_t>(count - 1)];
    const std::uint64_t high = kIntegerPowers[static_cast<std::size_t>(count)];
    std::uint64_t n = 0;
    if (!NearestScaled(magnitude, count - 1 - log10, n) || n < low) return false;
    if (n < high) {
        digits = n;
        exponent = log10;
        return true;
    }
    // Past the estimate, or 9.99..5 rounded up: both are 1.00..0 at the next power.
    if (!NearestScaled(magnitude, count - 2 - log10, n) || n < low || n >= high) return false;
    digits = n;
    exponent = log10 + 1;
    return true;
}

} // namespace digits

#ifdef __SIZEOF_INT128__

namespace digits {

__extension__ typedef unsigned __int128 Wide;

inline constexpr int kMaxPower = 38; // 10^38 < 2^128

constexpr std::array<Wide, kMaxPower + 1> MakePowers() {
    std::array<Wide, kMaxPower + 1> powers{};
    Wide p = 1;
    for (auto& entry : powers) {
        entry = p;
        p *= 10;
    }
    return powers;
}
inline constexpr std::array<Wide, kMaxPower + 1> kPowers = MakePowers();

// |value| = mantissa * 2^exponent with an odd mantissa (or zero).
struct Binary {
    std::uint64_t mantissa;
    int exponent;
};

inline Binary Decompose(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto field = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (field != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = field - 1075;
    }
    if (mantissa == 0) return {0, 0};
    const int zeros = std::countr_zero(mantissa);
    return {mantissa >> zeros, exponent + zeros};
}

// Some standard libraries give std::bit_width an unsigned result: keep the sums signed.
inline int BitWidth(std::uint64_t n) {
    return static_cast<int>(std::bit_width(n));
}

constexpr std::array<int, kMaxPower + 1> MakePowerWidths() {
    std::array<int, kMaxPower + 1> widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) {
        int bits = 0;
        for (Wide p = kPowers[i]; p != 0; p >>= 1) ++bits;
        widths[i] = bits;
    }
    return widths;
}
// Bits of 10^n: a * 10^n stays below 2^128 when the widths of both add up to at most 128.
inline constexpr std::array<int, kMaxPower + 1> kPowerWidths = MakePowerWidths();

// What a quotient leaves behind, against half a unit of its last place.
enum class Rest { Zero, BelowHalf, Half, AboveHalf };

template <class Unsigned> inline Rest Classify(Unsigned remainder, Unsigned half) {
    if (remainder == 0) return Rest::Zero;
    if (remainder < half) return Rest::BelowHalf;
    return remainder == half ? Rest::Half : Rest::AboveHalf;
}

// Ties to even.
inline Wide Rounded(Wide quotient, Rest rest) {
    if (rest == Rest::AboveHalf || (rest == Rest::Half && (quotient & 1) != 0)) ++quotient;
    return quotient;
}

// mantissa * 2^binary * 10^decimal as its integer part and what is left of it.
inline bool ScaledParts(const Binary& b, int decimal, Wide& quotient, Rest& rest) {
    const int width = BitWidth(b.mantissa);
    if (decimal >= 0) {
        // The divisor is a power of two: the division is a shift.
        if (decimal > kMaxPower) return false;
        const auto power = static_cast<std::size_t>(decimal);
        const int shift = b.exponent;
        if (width + kPowerWidths[power] + (shift > 0 ? shift : 0) > 128 || shift < -127)
            return false;
        if (shift < 0 && shift > -64 && width + kPowerWidths[power] <= 64) {
            // The common case of a float's few bits, in 64-bit arithmetic.
            const std::uint64_t n = b.mantissa * static_cast<std::uint64_t>(kPowers[power]);
            const int bits = -shift;
            const std::uint64_t half = std::uint64_t{1} << (bits - 1);
            quotient = n >> bits;
            rest = Classify(n & ((half << 1) - 1), half);
            return true;
        }
        const Wide n = Wide{b.mantissa} * kPowers[power];
        if (shift >= 0) {
            quotient = n << shift;
            rest = Rest::Zero;
            return true;
        }
        const int bits = -shift;
        const Wide half = Wide{1} << (bits - 1);
        quotient = n >> bits;
        rest = Classify(n & ((half << 1) - 1), half);
        return true;
    }
    // Larger values: divided by 10^-decimal (and by a power of two for a fraction).
    if (-decimal > kMaxPower) return false;
    const auto power = static_cast<std::size_t>(-decimal);
    const int up = b.exponent > 0 ? b.exponent : 0;
    const int down = b.exponent < 0 ? -b.exponent : 0;
    if (width + up > 128 || kPowerWidths[power] + down > 127) return false;
    const Wide numerator = Wide{b.mantissa} << up;
    const Wide denominator = kPowers[power] << down;
    Wide remainder;
    if ((numerator >> 64) == 0 && (denominator >> 64) == 0) {
        const auto n = static_cast<std::uint64_t>(numerator);
        const auto d = static_cast<std::uint64_t>(denominator);
        quotient = n / d;
        remainder = n % d;
    } else {
        quotient = numerator / denominator;
        remainder = numerator % denominator;
    }
    // The divisor is even (a multiple of 10), so half of it is exact.
    rest = Classify(remainder, denominator / 2);
    return true;
}

} // namespace digits

// |value| rounded to `count` significant digits (1 <= count <= 17):
// |value| ~ digits * 10^(exponent - count + 1) with 10^(count-1) <= digits < 10^count,
// so exponent is that of d.ddd...e+xx. A zero gives digits 0 and exponent 0.
inline bool SignificantDigits(double value, int count, std::uint64_t& digits, int& exponent) {
    using namespace digits;
    if (count < 1 || count > 17) return false;
    if (QuickSignificantDigits(value, count, digits, exponent)) return true;
    const Binary b = Decompose(value);
    if (b.mantissa == 0) {
        digits = 0;
        exponent = 0;
        return true;
    }
    // floor(log10 |value|) is floor(log2 * log10(2)) or one more, so the value scaled for
    // `count` digits at the lower estimate has count or count + 1 digits.
    const int log2 = b.exponent + BitWidth(b.mantissa) - 1;
    int log10 = (log2 * 78913) >> 18;
    Wide q;
    Rest rest;
    if (!ScaledParts(b, count - 1 - log10, q, rest)) return false;
    const Wide top = kPowers[static_cast<std::size_t>(count)];
    if (q >= top) {
        // One digit too many: it joins what is left (rounding it twice could go wrong).
        // q < 10^18 here, so 64 bits hold it.
        auto narrow = static_cast<std::uint64_t>(q);
        const auto last = static_cast<unsigned>(narrow % 10);
        q = narrow / 10;
        ++log10;
        if (last > 5 || (last == 5 && rest != Rest::Zero))
            rest = Rest::AboveHalf;
        else if (last == 5)
            rest = Rest::Half;
        else if (last > 0 || rest != Rest::Zero)
            rest = Rest::BelowHalf;
    }
    if (q < kPowers[static_cast<std::size_t>(count - 1)]) return false; // never: estimate high
    q = Rounded(q, rest);
    if (q == top) {
        // 9.99...5 rounded up to 10.00: 1.00...0 at the next power.
        q = kPowers[static_cast<std::size_t>(count - 1)];
        ++log10;
    }
    digits = static_cast<std::uint64_t>(q);
    exponent = log10;
    return true;
}

// |value| * 10^decimals rounded to an integer (0 <= decimals <= 18).
inline bool ScaledInteger(double value, int decimals, std::uint64_t& scaled) {
    using namespace digits;
    if (decimals < 0 || decimals > 18) return false;
    const Binary b = Decompose(value);
    // Below 2^-64 even 10^18 places round to zero.
    if (b.mantissa == 0 || b.exponent + BitWidth(b.mantissa) <= -64) {
        scaled = 0;
        return true;
    }
    if (NearestScaled(std::fabs(value), decimals, scaled)) return true;
    Wide q = 0;
    Rest rest;
    if (!ScaledParts(b, decimals, q, rest)) return false;
    q = Rounded(q, rest);
    if ((q >> 64) != 0) return false;
    scaled = static_cast<std::uint64_t>(q);
    return true;
}

#else

inline bool SignificantDigits(double value, int count, std::uint64_t& digits, int& exponent) {
    return digits::QuickSignificantDigits(value, count, digits, exponent);
}

inline bool ScaledInteger(double, int, std::uint64_t&) {
    return false;
}

#endif

namespace digits {

constexpr std::array<char, 200> MakeDigitPairs() {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}
inline constexpr std::array<char, 200> kDigitPairs = MakeDigitPairs();

} // namespace digits

// Writes exactly `count` digits of `value`, with leading zeros, at `out`; returns the end.
inline char* WriteDigits(char* out, std::uint64_t value, int count) {
    using namespace digits;
    // Two digits a step: half the divisions.
    int i = count;
    while (i >= 2) {
        i -= 2;
        std::memcpy(out + i, &kDigitPairs[static_cast<std::size_t>(value % 100) * 2], 2);
        value /= 100;
    }
    if (i == 1) out[0] = static_cast<char>('0' + value % 10);
    return out + count;
}

} // namespace dorvek::fixed
