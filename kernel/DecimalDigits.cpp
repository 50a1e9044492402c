#include "DecimalDigits.h"

#include <array>
#include <bit>
#include <cstring>

namespace dorvek::fixed {

#ifdef __SIZEOF_INT128__

namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kMaxPower = 38; // 10^38 < 2^128

constexpr std::array<Wide, kMaxPower + 1> MakePowers() {
    std::array<Wide, kMaxPower + 1> powers{};
    Wide p = 1;
    for (auto& entry : powers) {
        entry = p;
        p *= 10;
    }
    return powers;
}
constexpr std::array<Wide, kMaxPower + 1> kPowers = MakePowers();

// |value| = mantissa * 2^exponent with an odd mantissa (or zero).
struct Binary {
    std::uint64_t mantissa;
    int exponent;
};

Binary Decompose(double value) {
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
int BitWidth(std::uint64_t n) {
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
constexpr std::array<int, kMaxPower + 1> kPowerWidths = MakePowerWidths();

// quotient rounded by the remainder against half the divisor (ties to even).
Wide RoundHalfEven(Wide quotient, Wide remainder, Wide half) {
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
    return quotient;
}

// mantissa * 2^binary * 10^decimal rounded to an integer (ties to even).
bool RoundedRatio(const Binary& b, int decimal, Wide& result) {
    const int width = BitWidth(b.mantissa);
    if (decimal >= 0) {
        // The divisor is a power of two: the division is a shift.
        if (decimal > kMaxPower) return false;
        const auto power = static_cast<std::size_t>(decimal);
        const int shift = b.exponent;
        if (width + kPowerWidths[power] + (shift > 0 ? shift : 0) > 128 || shift < -127)
            return false;
        const Wide n = Wide{b.mantissa} * kPowers[power];
        if (shift >= 0) {
            result = n << shift;
            return true;
        }
        const int bits = -shift;
        const Wide half = Wide{1} << (bits - 1);
        result = RoundHalfEven(n >> bits, n & ((half << 1) - 1), half);
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
    Wide quotient, remainder;
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
    result = RoundHalfEven(quotient, remainder, denominator / 2);
    return true;
}

} // namespace

bool SignificantDigits(double value, int count, std::uint64_t& digits, int& exponent) {
    if (count < 1 || count > 17) return false;
    const Binary b = Decompose(value);
    if (b.mantissa == 0) {
        digits = 0;
        exponent = 0;
        return true;
    }
    // floor(log10 |value|) is floor(log2 * log10(2)) or one more.
    const int log2 = b.exponent + BitWidth(b.mantissa) - 1;
    int log10 = (log2 * 78913) >> 18;
    const Wide top = kPowers[static_cast<std::size_t>(count)];
    for (int attempt = 0; attempt < 2; ++attempt, ++log10) {
        Wide q;
        if (!RoundedRatio(b, count - 1 - log10, q)) return false;
        if (q > top) continue; // the estimate was one low
        if (q == top) {
            // Either 9.99...5 rounded up to 10.00 or a true value past the estimate: both are
            // 1.00...0 at the next power.
            q = kPowers[static_cast<std::size_t>(count - 1)];
            ++log10;
        }
        digits = static_cast<std::uint64_t>(q);
        exponent = log10;
        return true;
    }
    return false;
}

bool ScaledInteger(double value, int decimals, std::uint64_t& scaled) {
    if (decimals < 0 || decimals > 18) return false;
    const Binary b = Decompose(value);
    // Below 2^-64 even 10^18 places round to zero.
    if (b.mantissa == 0 || b.exponent + BitWidth(b.mantissa) <= -64) {
        scaled = 0;
        return true;
    }
    Wide q = 0;
    if (!RoundedRatio(b, decimals, q)) return false;
    if ((q >> 64) != 0) return false;
    scaled = static_cast<std::uint64_t>(q);
    return true;
}

#else

bool SignificantDigits(double, int, std::uint64_t&, int&) {
    return false;
}

bool ScaledInteger(double, int, std::uint64_t&) {
    return false;
}

#endif

char* WriteDigits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return out + count;
}

} // namespace dorvek::fixed
