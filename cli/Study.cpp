#include "cli/Study.h"

#include <charconv>
#include <cmath>
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

void CheckValue(const Vary& vary, double value, const std::string& which) {
    const std::string fault = ValueFault(vary.parameter, value);
    if (!fault.empty())
        throw StudyError("--vary " + vary.name + ": " + which + ValueText(value) + " " + fault);
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
         "factor on the unit side resistance of every layer (t of user t-z curves)"},
        {"tip-factor", Parameter::TipFactor,
         "factor on the unit tip resistance of every layer (Q of a user Q-w curve)"},
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
    bool known = false;
    for (const ParameterName& p : ParameterNames()) {
        if (vary.name == p.name) {
            vary.parameter = p.parameter;
            known = true;
        }
    }
    if (!known) {
        std::string list;
        for (const ParameterName& p : ParameterNames()) list += std::string(" ") + p.name;
        throw StudyError("--vary: unknown name \"" + vary.name + "\" (known:" + list + ")");
    }
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
    for (double value : vary.values) CheckValue(vary, value, "");
    return vary;
}

std::vector<std::vector<double>> StudyVariants(const StudySpec& study) {
    if (study.vary.empty()) throw StudyError("--sample needs --vary NAME=DISTRIBUTION");
    const std::size_t limitNote = kVariantLimit;
    auto tooMany = [&](const std::string& count) {
        return StudyError("the study has " + count + " variants, more than " +
                          std::to_string(limitNote) + "; give --force to run it");
    };
    std::vector<std::vector<double>> variants;
    if (study.sample) {
        for (const Vary& vary : study.vary)
            if (vary.kind == Vary::Kind::Values)
                throw StudyError("--vary " + vary.name +
                                 ": with --sample every name takes normal:MEAN:SD or "
                                 "lognormal:MEAN:COV");
        if (*study.sample == 0) throw StudyError("--sample: the sample size must be positive");
        if (*study.sample > kVariantLimit && !study.force)
            throw tooMany(std::to_string(*study.sample));
        std::mt19937_64 engine(study.seed);
        variants.reserve(*study.sample);
        for (std::size_t i = 0; i < *study.sample; ++i) {
            std::vector<double> values;
            for (const Vary& vary : study.vary) {
                values.push_back(Draw(vary, engine));
                CheckValue(vary, values.back(), "sample " + std::to_string(i + 1) + " draws ");
            }
            variants.push_back(std::move(values));
        }
        return variants;
    }

    double count = 1;
    for (const Vary& vary : study.vary) {
        if (vary.kind != Vary::Kind::Values)
            throw StudyError("--vary " + vary.name + ": a distribution needs --sample N");
        count *= static_cast<double>(vary.values.size());
    }
    if (count > static_cast<double>(kVariantLimit) && !study.force) {
        char text[32];
        std::snprintf(text, sizeof text, "%.0f", count);
        throw tooMany(text);
    }
    // Odometer over the names, the last one turning fastest.
    std::vector<std::size_t> at(study.vary.size(), 0);
    for (;;) {
        std::vector<double> values;
        for (std::size_t k = 0; k < at.size(); ++k) values.push_back(study.vary[k].values[at[k]]);
        variants.push_back(std::move(values));
        std::size_t k = at.size();
        while (k > 0) {
            --k;
            if (++at[k] < study.vary[k].values.size()) break;
            at[k] = 0;
            if (k == 0) return variants;
        }
    }
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
