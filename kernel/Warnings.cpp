#include "kernel/Warnings.h"

#include <string>

namespace dorvek {
namespace {

void heading(FixedWriter& report, float x) {
    report.list("**** WARNING ****");
    report.listValues({std::string("THE VALUE OF X ="), x});
}

void closing(FixedWriter& report, CurveKind kind, std::string_view reason) {
    report.list(reason);
    report.list(kind == CurveKind::Side ? "NO T-Z CURVE CAN BE BUILT AT THIS DEPTH"
                                        : "NO Q-W CURVE CAN BE BUILT AT THE PILE TIP");
}

} // namespace

void WarnStrengthExtent(FixedWriter& report, int count, float lastDepth) {
    const FixedWriter::NoteScope kept(report);
    report.listValues({count, lastDepth});
}

void WarnBeyondTable(FixedWriter& report, float x, std::string_view table) {
    const FixedWriter::NoteScope kept(report);
    heading(report, x);
    report.list("IS BEYOND THE EXTENT OF");
    report.list(table);
}

void WarnCurveInput(FixedWriter& report, CurveKind kind, float x, std::string_view input,
                    std::string_view reason) {
    const FixedWriter::NoteScope kept(report);
    heading(report, x);
    report.list("THE VALUE OF " + std::string(input));
    closing(report, kind, reason);
}

void WarnCurveInput(FixedWriter& report, CurveKind kind, float x, std::string_view input,
                    const FieldValue& value, std::string_view reason) {
    const FixedWriter::NoteScope kept(report);
    heading(report, x);
    report.listValues({"THE VALUE OF " + std::string(input) + " =", value});
    closing(report, kind, reason);
}

void WarnNoTipCurve(FixedWriter& report, bool noLayers) {
    const FixedWriter::NoteScope kept(report);
    report.list("**** WARNING ****");
    report.list(noLayers ? "THERE ARE NO SOIL LAYERS:"
                         : "THE PILE TIP LIES BELOW THE LAST SOIL LAYER:");
    report.list("NO Q-W CURVE IS GENERATED AND THE TIP CARRIES NO LOAD");
}

void WarnNoSideResistance(FixedWriter& report) {
    const FixedWriter::NoteScope kept(report);
    report.list("**** WARNING ****");
    report.list("THERE ARE NO SOIL LAYERS:");
    report.list("THE T-Z CURVES CARRY NO SIDE RESISTANCE");
}

} // namespace dorvek
