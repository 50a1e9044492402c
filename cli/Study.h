#pragma once
// Parameter studies: which project values may be varied, how their values are given
// (a list, a range, or a distribution to sample from) and the variants they make.

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvek::cli {

// A fault in the study's options; dorvek-run stops with status 2 before anything runs.
class StudyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Parameter {
    Length,     // pile length
    Diameter,   // outer diameter; the tip area follows a circular section
    Head,       // pile-head coordinate
    AeFactor,   // factor on every AE of the stiffness table
    SideFactor, // factor on the unit side resistance of every layer, on t of user t-z curves
    TipFactor,  // factor on the unit tip resistance of every layer, on Q of a user Q-w curve
    LoadFactor, // factor on every applied pile-head load
};

// The names accepted by --vary, in the order of Parameter, with what they vary.
struct ParameterName {
    const char* name;
    Parameter parameter;
    const char* meaning;
};
const std::vector<ParameterName>& ParameterNames();

struct Vary {
    enum class Kind { Values, Normal, Lognormal };
    std::string name; // as given, e.g. "side-factor@2"
    Parameter parameter = Parameter::Length;
    int layer = 0; // side-factor@N, tip-factor@N: the soil layer N (from 1); 0: every layer
    Kind kind = Kind::Values;
    std::vector<double> values;  // Kind::Values
    double mean = 0, spread = 0; // standard deviation (normal) or coefficient of variation
};

// "NAME=V1,V2,...", "NAME=FROM:TO:STEP", "NAME=normal:MEAN:SD" or "NAME=lognormal:MEAN:COV".
// A range runs from FROM up to TO (included when a whole number of steps reaches it).
// side-factor and tip-factor take "@N" after the name for one soil layer.
Vary ParseVary(const std::string& text);

// The plain rules of a value of `parameter`; empty when it is acceptable, otherwise why not.
std::string ValueFault(Parameter parameter, double value);

inline constexpr std::size_t kVariantLimit = 100000;
// The most variants a study may have, --force or not: a hundred million analyses take days,
// and a count beyond it is a typing error.
inline constexpr std::size_t kStudyLimit = 100'000'000;
// Seeds are what a signed 64-bit integer holds, so that every language can pass them on.
inline constexpr std::uint64_t kSeedLimit = 9'223'372'036'854'775'807ULL;

struct StudySpec {
    std::vector<Vary> vary;
    std::optional<std::size_t> sample; // draw this many variants instead of the grid
    std::uint64_t seed = 1;            // 0 to kSeedLimit
    bool force = false;                // allow more than kVariantLimit variants (up to kStudyLimit)
};

// The variants' values one after the other (one per varied name, in the order given): all
// combinations of the grid, the first name varying slowest, or the drawn sample. Nothing is
// kept but the position, so a study of any size costs no memory. The constructor checks
// every value (raising StudyError), so that a bad one stops the study before anything runs.
class VariantValues {
public:
    explicit VariantValues(const StudySpec& study);
    std::size_t Count() const { return count_; }
    // Back to the first variant.
    void Rewind();
    // Goes to variant `index` (at or after the current one): Next() then gives its values.
    void Skip(std::size_t index);
    const std::vector<double>& Next();

private:
    const StudySpec& study_;
    std::size_t count_ = 0;
    std::size_t at_ = 0;                      // index of the variant Next() gives
    std::vector<std::size_t> odometer_;       // grid: the position in each name's values
    std::unique_ptr<std::mt19937_64> engine_; // sample
    std::vector<double> values_;
};

// Every variant's values, as VariantValues gives them, in one list.
std::vector<std::vector<double>> StudyVariants(const StudySpec& study);

// Text of a value in names and tables: the shortest that reads back.
std::string ValueText(double value);

// File stem of a variant: the project's stem with "_NAME=VALUE" per varied name, or
// "_sample=NNN" (1-based, zero-padded to the width of the sample size) for a drawn one.
std::string VariantStem(const std::string& stem, const StudySpec& study,
                        const std::vector<double>& values, std::size_t index);

} // namespace dorvek::cli
