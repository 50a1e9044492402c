// The measured curves' readers over any text: the side file (".dv4m") and a CSV of two columns
// are each taken or refused with a measured-curve error; what the side file reader takes
// writes out to a text that reads back to itself, and every curve it or the CSV reader takes
// is a valid measured curve.

#include "fuzz/FuzzSupport.h"
#include "model/plots/MeasuredCurves.h"

#include <cstdint>
#include <string>

using namespace dorvek;
using namespace dorvek::fuzz;

namespace {

void CheckCurve(const TMeasuredCurve& curve) {
    Check(
        MeasuredPointsFault(curve.points, [](std::size_t k) { return std::to_string(k); }).empty(),
        "a curve was taken that is not a measured curve");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const TMeasuredCurves curves = ParseMeasuredFile(text, "fuzz.dv4m");
        for (const TMeasuredCurve& curve : curves.curves) CheckCurve(curve);
        const std::string written = MeasuredFileText(curves);
        const std::string again = MeasuredFileText(ParseMeasuredFile(written, "written.dv4m"));
        Check(again == written, "the written side file does not read back to itself");
    } catch (const EMeasuredError&) {
    }
    try {
        CheckCurve(ParseMeasuredCsv(text, "fuzz", "fuzz.csv"));
    } catch (const EMeasuredError&) {
    }
    return 0;
}
