#include "cli/Study.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <random>

namespace dorvek::cli {

namespace {

double Number(const std::string& text, const std::string& where) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || stop != end || !std::isfinite(value))
        throw StudyError(where + ": \"" + text + "\" is not a number");
    return value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// 12 significant digits: a range's values are the decimal numbers the user means
// (480, 540, ... rather than sums carrying the step's rounding).
double Rounded(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", value);
    return std::strtod(text, nullptr);
}

std::vector<double> Range(const std::string& name, const std::vector<std::string>& parts) {
    const std::string where = "--vary " + name;
    const double from = Number(parts[0], where), to = Number(parts[1], where),
                 step = Number(parts[2], where);
    if (step == 0) throw StudyError(where + ": the step of a range must not be 0");
    if (step < 0) throw StudyError(where + ": the step of a range must be positive");
    if (to < from)
        throw StudyError(where + ": the range is reversed (" + parts[0] + " > " + parts[1] + ")");
    const double steps = std::floor((to - from) / step * (1 + 1e-12) + 1e-9);
    if (steps >= static_cast<double>(kVariantLimit) * 100)
        throw StudyError(where + ": the range has too many values");
    std::vector<double> values;
    for (std::size_t i = 0; i <= static_cast<std::size_t>(steps); ++i)
        values.push_back(Rounded(from + static_cast<double>(i) * step));
    return values;
}

// Uniform on (0, 1] from the top 53 bits of the engine, which the standard defines exactly,
// and Box-Muller on top: the same seed gives the same sample with any standard library.
double Uniform(std::mt19937_64& engine) {
    return static_cast<double>((engine() >> 11) + 1) * 0x1.0p-53;
}

double StandardNormal(std::mt19937_64& engine) {
    const double u1 = Uniform(engine), u2 = Uniform(engine);
    return std::sqrt(-2 * std::log(u1)) * std::cos(2 * std::numbers::pi * u2);
}

double Draw(const Vary& vary, std::mt19937_64& engine) {
    const double z = StandardNormal(engine);
    if (vary.kind == Vary::Kind::Normal) return vary.mean + vary.spread * z;
    // Lognormal of the given mean and coefficient of variation.
    const double s2 = std::log(1 + vary.spread * vary.spread);
    return std::exp(std::log(vary.mean) - s2 / 2 + std::sqrt(s2) * z);
}

void CheckValue(const Vary& vary, double value, std::size_t sample) {
    const std::string fault = ValueFault(vary.parameter, value);
    if (fault.empty()) return;
    const std::string which = sample ? "sample " + std::to_string(sample) + " draws " : "";
    throw StudyError("--vary " + vary.name + ": " + which + ValueText(value) + " " + fault);
}

// "side-factor@2": the layer's number; 0 without "@".
int LayerOf(const std::string& name, Parameter parameter, const std::string& base) {
    const std::size_t at = name.find('@');
    if (at == std::string::npos) return 0;
    const std::string where = "--vary " + name;
    if (parameter != Parameter::SideFactor && parameter != Parameter::TipFactor)
        throw StudyError(where + ": only side-factor and tip-factor take a layer (" + base +
                         " varies the whole pile)");
    const std::string number = name.substr(at + 1);
    int layer = 0;
    const char* end = number.data() + number.size();
    const auto [stop, ec] = std::from_chars(number.data(), end, layer);
    if (number.empty() || ec != std::errc() || stop != end)
        throw StudyError(where + ": \"" + number + "\" is not a layer number");
    if (layer < 1) throw StudyError(where + ": layers are numbered from 1");
    return layer;
}

} // namespace

const std::vector<ParameterName>& ParameterNames() {
    static const std::vector<ParameterName> names = {
        {"length", Parameter::Length, "pile length"},
        {"diameter", Parameter::Diameter,
         "outer diameter (the tip area follows a circular section)"},
        {"head", Parameter::Head, "pile-head coordinate"},
        {"ae-factor", Parameter::AeFactor, "factor on the axial stiffness AE"},
        {"side-factor", Parameter::SideFactor,
         "factor on the unit side resistance of every layer (t of user t-z curves);\n"
         "               side-factor@N: of soil layer N only"},
        {"tip-factor", Parameter::TipFactor,
         "factor on the unit tip resistance of every layer (Q of a user Q-w curve);\n"
         "               tip-factor@N: of soil layer N only"},
        {"load-factor", Parameter::LoadFactor, "factor on the applied pile-head loads"},
    };
    return names;
}

std::string ValueFault(Parameter parameter, double value) {
    switch (parameter) {
    case Parameter::Length:
    case Parameter::Diameter:
    case Parameter::AeFactor:
        return value > 0 ? "" : "is not positive";
    case Parameter::Head:
        return "";
    case Parameter::SideFactor:
    case Parameter::TipFactor:
    case Parameter::LoadFactor:
        return value >= 0 ? "" : "is negative";
    }
    return "";
}

Vary ParseVary(const std::string& text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) throw StudyError("--vary " + text + ": expected NAME=VALUES");
    Vary vary;
    vary.name = text.substr(0, equals);
    const std::string given = text.substr(equals + 1);
    const std::string base = vary.name.substr(0, vary.name.find('@'));
    bool known = false;
    for (const ParameterName& p : ParameterNames()) {
        if (base == p.name) {
            vary.parameter = p.parameter;
            known = true;
        }
    }
    if (!known) {
        std::string list;
        for (const ParameterName& p : ParameterNames()) list += std::string(" ") + p.name;
        throw StudyError("--vary: unknown name \"" + base + "\" (known:" + list + ")");
    }
    vary.layer = LayerOf(vary.name, vary.parameter, base);
    const std::string where = "--vary " + vary.name;
    if (given.empty()) throw StudyError(where + ": no values");

    const std::vector<std::string> parts = Split(given, ':');
    if (parts[0] == "normal" || parts[0] == "lognormal") {
        if (parts.size() != 3)
            throw StudyError(where + ": expected " + parts[0] +
                             ":MEAN:" + (parts[0] == "normal" ? "SD" : "COV"));
        vary.kind = parts[0] == "normal" ? Vary::Kind::Normal : Vary::Kind::Lognormal;
        vary.mean = Number(parts[1], where);
        vary.spread = Number(parts[2], where);
        if (vary.spread < 0) throw StudyError(where + ": the spread must not be negative");
        if (vary.kind == Vary::Kind::Lognormal && vary.mean <= 0)
            throw StudyError(where + ": a lognormal mean must be positive");
        return vary;
    }
    if (parts.size() == 3) {
        vary.values = Range(vary.name, parts);
    } else if (parts.size() == 1) {
        for (const std::string& item : Split(given, ','))
            vary.values.push_back(Number(item, where));
    } else {
        throw StudyError(where + ": expected V1,V2,... or FROM:TO:STEP");
    }
    for (double value : vary.values) CheckValue(vary, value, 0);
    return vary;
}

VariantValues::VariantValues(const StudySpec& study) : study_(study) {
    if (study.vary.empty()) throw StudyError("--sample needs --vary NAME=DISTRIBUTION");
    auto tooMany = [&](const std::string& count) {
        return StudyError("the study has " + count + " variants, more than " +
                          std::to_string(kVariantLimit) + "; give --force to run it");
    };
    if (study.sample) {
        for (const Vary& vary : study.vary)
            if (vary.kind == Vary::Kind::Values)
                throw StudyError("--vary " + vary.name +
                                 ": with --sample every name takes normal:MEAN:SD or "
                                 "lognormal:MEAN:COV");
        if (*study.sample == 0) throw StudyError("--sample: the sample size must be positive");
        if (*study.sample > kStudyLimit)
            throw StudyError("--sample " + std::to_string(*study.sample) + ": at most " +
                             std::to_string(kStudyLimit) + " variants");
        if (study.seed > kSeedLimit)
            throw StudyError("--seed " + std::to_string(study.seed) + ": at most " +
                             std::to_string(kSeedLimit));
        if (*study.sample > kVariantLimit && !study.force)
            throw tooMany(std::to_string(*study.sample));
        count_ = *study.sample;
        // Every drawn value is checked before the study runs; the draws are made again then.
        Rewind();
        for (std::size_t i = 0; i < count_; ++i) Next();
    } else {
        double count = 1;
        for (const Vary& vary : study.vary) {
            if (vary.kind != Vary::Kind::Values)
                throw StudyError("--vary " + vary.name + ": a distribution needs --sample N");
            count *= static_cast<double>(vary.values.size());
        }
        char text[32];
        std::snprintf(text, sizeof text, "%.0f", count);
        if (count > static_cast<double>(kStudyLimit))
            throw StudyError("the study has " + std::string(text) + " variants, more than " +
                             std::to_string(kStudyLimit) + ", the most a study may have");
        if (count > static_cast<double>(kVariantLimit) && !study.force) throw tooMany(text);
        count_ = static_cast<std::size_t>(count);
    }
    Rewind();
}

void VariantValues::Rewind() {
    at_ = 0;
    odometer_.assign(study_.vary.size(), 0);
    if (study_.sample) engine_ = std::make_unique<std::mt19937_64>(study_.seed);
}

void VariantValues::Skip(std::size_t index) {
    while (at_ < index && at_ < count_) Next();
}

const std::vector<double>& VariantValues::Next() {
    values_.clear();
    ++at_;
    if (study_.sample) {
        for (const Vary& vary : study_.vary) {
            values_.push_back(Draw(vary, *engine_));
            CheckValue(vary, values_.back(), at_);
        }
        return values_;
    }
    for (std::size_t k = 0; k < odometer_.size(); ++k)
        values_.push_back(study_.vary[k].values[odometer_[k]]);
    // The last name turns fastest.
    for (std::size_t k = odometer_.size(); k > 0; --k) {
        if (++odometer_[k - 1] < study_.vary[k - 1].values.size()) break;
        odometer_[k - 1] = 0;
    }
    return values_;
}

std::vector<std::vector<double>> StudyVariants(const StudySpec& study) {
    VariantValues values(study);
    std::vector<std::vector<double>> variants;
    variants.reserve(values.Count());
    for (std::size_t i = 0; i < values.Count(); ++i) variants.push_back(values.Next());
    return variants;
}

std::string ValueText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string VariantStem(const std::string& stem, const StudySpec& study,
                        const std::vector<double>& values, std::size_t index) {
    if (study.sample) {
        const std::string number = std::to_string(index + 1);
        const std::size_t width = std::to_string(*study.sample).size();
        return stem + "_sample=" + std::string(width - number.size(), '0') + number;
    }
    std::string name = stem;
    for (std::size_t k = 0; k < study.vary.size() && k < values.size(); ++k)
        name += "_" + study.vary[k].name + "=" + ValueText(values[k]);
    return name;
}

} // namespace dorvek::cli
