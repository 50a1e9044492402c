#include "model/tables/UnitCodes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace dorvek {

namespace {

struct Slot {
    std::string_view names[3]; // English, SI, generic
    long double factor;        // English units per one SI unit
};

constexpr std::array<Slot, 10> Slots = {{
    {{"lbs", "kN", "F"}, 224.8089237L},
    {{"kips", "kN", "F"}, 0.2248089237L},
    {{"tons", "kN", "F"}, 0.1124044745L},
    {{"in", "m", "L"}, 39.37007874L},
    {{"in", "mm", "L"}, 0.03937007874L},
    {{"ft", "m", "L"}, 3.280839895L},
    {{"lb-sec2/in", "Mg", "M"}, 5.7101483L},
    {{"sec", "sec", "T"}, 1.0L},
    {{"rad", "rad", "L"}, 1.0L},
    {{"slug", "Mg", "F"}, 68.364249L},
}};

// The one token table: every code token with its slot. "F" and "L" are the plain slots.
struct Token {
    std::string_view code;
    int slot;
};

constexpr std::array<Token, 10> Tokens = {{
    {"F", 0},
    {"F1", 1},
    {"F2", 2},
    {"L", 3},
    {"L1", 4},
    {"L2", 5},
    {"F4", 6},
    {"F5", 7},
    {"L3", 8},
    {"F6", 9},
}};

int SlotOf(std::string_view code) {
    for (const auto& t : Tokens)
        if (t.code == code) return t.slot;
    return 0;
}

int ClampSystem(int system) {
    return std::clamp(system, 1, 3);
}

std::string_view NameOf(std::string_view token, int system) {
    return Slots[static_cast<std::size_t>(SlotOf(token))].names[ClampSystem(system) - 1];
}

// Variant digits a family knows after each letter; any other character means the plain slot.
struct Family {
    std::string_view forceDigits;
    std::string_view lengthDigits;
};

constexpr Family Full{"012456", "0123"};
constexpr Family Chart{"012", "012"};

int ExponentAt(const std::string& s, std::size_t pos) {
    if (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') return s[pos] - '0';
    return 1;
}

// Force and length factors of one side of the code, e.g. "F", "L2^2", "F1^2".
long double SideFactor(std::string side, const Family& family) {
    long double factor = 1;
    if (!side.empty() && side[0] == 'F') {
        if (side.size() < 2 || family.forceDigits.find(side[1]) == std::string_view::npos)
            side = "F0" + side.substr(1);
        const char digit = side[1];
        const std::string token = digit == '0' ? "F" : std::string{'F', digit};
        int exponent = 1;
        if (side.size() > 2 && side[2] == '^') {
            exponent = ExponentAt(side, 3);
            side.erase(0, std::min<std::size_t>(5, side.size()));
        } else {
            side.erase(0, std::min<std::size_t>(3, side.size()));
        }
        factor *= std::pow(Slots[static_cast<std::size_t>(SlotOf(token))].factor, exponent);
    }
    if (!side.empty() && side[0] == 'L') {
        if (side.size() < 2 || family.lengthDigits.find(side[1]) == std::string_view::npos)
            side = "L0" + side.substr(1);
        const char digit = side[1];
        const std::string token = digit == '0' ? "L" : std::string{'L', digit};
        const int exponent = side.size() > 2 ? ExponentAt(side, 3) : 1;
        factor *= std::pow(Slots[static_cast<std::size_t>(SlotOf(token))].factor, exponent);
    }
    return factor;
}

long double Factor(int oldSystem, int newSystem, const std::string& code, const Family& family) {
    const auto slash = code.find('/');
    const std::string numerator = code.substr(0, slash);
    const std::string denominator = slash == std::string::npos ? "" : code.substr(slash + 1);
    const long double ratio = SideFactor(numerator, family) / SideFactor(denominator, family);
    if (oldSystem == English && newSystem == SI) return 1.0L / ratio;
    if (oldSystem == SI && newSystem == English) return ratio;
    return 1.0L;
}

void ReplaceAll(std::string& text, std::string_view token, std::string_view name) {
    for (auto pos = text.find(token); pos != std::string::npos;
         pos = text.find(token, pos + name.size()))
        text.replace(pos, token.size(), name);
}

// Every token of the list replaced in turn (two-character tokens listed first).
std::string ReplaceInOrder(std::string code, int system,
                           std::initializer_list<std::string_view> tokens) {
    for (auto token : tokens) ReplaceAll(code, token, NameOf(token, system));
    return code;
}

// Only the first listed token that occurs is replaced, else the plain letter.
void ReplaceFirstPresent(std::string& code, int system,
                         std::initializer_list<std::string_view> tokens, std::string_view plain) {
    for (auto token : tokens)
        if (code.find(token) != std::string::npos) {
            ReplaceAll(code, token, NameOf(token, system));
            return;
        }
    ReplaceAll(code, plain, NameOf(plain, system));
}

} // namespace

long double ConversionFactor(int oldSystem, int newSystem, const std::string& code) {
    return Factor(oldSystem, newSystem, code, Full);
}

long double ChartConversionFactor(int oldSystem, int newSystem, const std::string& code) {
    return Factor(oldSystem, newSystem, code, Chart);
}

std::string ColumnUnitLabel(const std::string& code, int system) {
    return ReplaceInOrder(code, system, {"F2", "F1", "F4", "F5", "F6", "F", "L3", "L2", "L1", "L"});
}

std::string ChartColumnUnitLabel(const std::string& code, int system) {
    return ReplaceInOrder(code, system, {"F2", "F1", "F", "L2", "L1", "L"});
}

std::string FieldUnitLabel(const std::string& code, int system) {
    if (ClampSystem(system) == Generic) return code;
    std::string label = code;
    ReplaceFirstPresent(label, system, {"F6", "F5", "F4", "F2", "F1"}, "F");
    ReplaceFirstPresent(label, system, {"L2", "L1", "L3"}, "L");
    return label;
}

std::string PlotUnitLabel(const std::string& code, int system) {
    if (ClampSystem(system) == Generic) return code;
    std::string label = code;
    ReplaceFirstPresent(label, system, {"F2", "F1"}, "F");
    ReplaceFirstPresent(label, system, {"L2", "L1"}, "L");
    return label;
}

} // namespace dorvek
