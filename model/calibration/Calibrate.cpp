#include "model/calibration/Calibrate.h"

#include "kernel/Kernel.h"
#include "model/calibration/CalibrationAnalysis.h"
#include "model/plots/LoadTestOverlay.h"

#include "model/tables/NumberFormat.h"

#include <nlopt.hpp>

#include <algorithm>
#include <cmath>

namespace dorvek {

namespace {

// An analysis that fails scores far above any settlement misfit, but finite: the search's
// quadratic models stay usable.
constexpr double kFailedAnalysis = 1e6;

struct Search {
    Search(TFactorProject& p, const TCalibrationRequest& r) : project(p), request(r) {}

    TFactorProject& project;
    const TCalibrationRequest& request;
    std::vector<TMeasuredPoint> points;
    std::vector<long double> loads;
    long double diameter = 0;
    bool downdrag = false;
    int maxEvaluations = 0;

    int evaluations = 0;
    double best = HUGE_VAL;
    std::vector<double> bestFactors;
    TLoadSettlementSummary bestResults;
    int bestBeyond = 0;
    bool stopped = false;
    double closeEnough = 0; // a misfit within the analyses' precision

    // One analysis with the factors; its misfit, the results in `results`.
    double Misfit(const std::vector<double>& factors, TLoadSettlementSummary& results, int& beyond,
                  int& code) {
        project.Apply(request.factors, factors);
        const TCalibrationAnalysis run = AnalyseForCalibration(project.InputTextForLoads(loads));
        ++evaluations;
        code = run.code;
        results = run.results;
        beyond = 0;
        if (run.code != kRunCompleted || run.results.appliedLoads.size() != points.size())
            return kFailedAnalysis;
        return SettlementMisfit(run.results, points, diameter, downdrag, &beyond);
    }

    double Objective(const std::vector<double>& logs) {
        std::vector<double> factors;
        for (double x : logs) factors.push_back(std::exp(x));
        TLoadSettlementSummary results;
        int beyond = 0, code = 0;
        const double misfit = Misfit(factors, results, beyond, code);
        if (misfit < best) {
            best = misfit;
            bestFactors = factors;
            bestResults = std::move(results);
            bestBeyond = beyond;
        }
        if (request.progress) {
            TCalibrationProgress p{evaluations, maxEvaluations, factors, misfit, best};
            if (!request.progress(p)) stopped = true;
        }
        return misfit * misfit; // least squares
    }
};

double ObjectiveThunk(const std::vector<double>& x, std::vector<double>& gradient, void* data) {
    (void)gradient; // derivative-free
    auto* search = static_cast<Search*>(data);
    const double value = search->Objective(x);
    if (search->stopped) throw nlopt::forced_stop();
    return value;
}

std::string Ending(nlopt::result result) {
    switch (result) {
    case nlopt::SUCCESS:
    case nlopt::FTOL_REACHED:
    case nlopt::XTOL_REACHED:
        return "converged";
    case nlopt::STOPVAL_REACHED:
        return "the misfit reached zero";
    case nlopt::MAXEVAL_REACHED:
        return "the largest number of analyses was reached";
    case nlopt::MAXTIME_REACHED:
        return "the time ran out";
    default:
        return "stopped by the optimiser";
    }
}

} // namespace

std::vector<TMeasuredPoint> CalibrationPoints(const TMeasuredCurves& curves) {
    std::vector<TMeasuredPoint> points;
    for (const TMeasuredCurve& curve : curves.curves) {
        std::size_t last = 0;
        for (std::size_t k = 0; k < curve.points.size(); ++k)
            if (curve.points[k].load > curve.points[last].load) last = k;
        for (std::size_t k = 0; k <= last && k < curve.points.size(); ++k)
            if (curve.points[k].load > 0) points.push_back(curve.points[k]);
    }
    return points;
}

double SettlementMisfit(const TLoadSettlementSummary& results,
                        const std::vector<TMeasuredPoint>& points, long double diameter,
                        bool downdrag, int* beyond) {
    if (points.empty() || results.appliedLoads.size() != points.size()) return kFailedAnalysis;
    // The highest point the computed curve reaches: where a load it cannot carry plunges.
    TCurvePoint top;
    for (const TCurvePoint& p : ComputedCurve(results, downdrag))
        if (p.load > top.load) top = p;
    long double sum = 0;
    int over = 0;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const TPileResult& r = results.appliedLoads[k];
        long double computed = r.headMove;
        if (!r.converged) {
            ++over;
            const long double excess = top.load > 0 ? (points[k].load - top.load) / top.load : 1;
            computed = top.settlement + std::max<long double>(excess, 0) * diameter;
        }
        const long double d = computed - points[k].settlement;
        sum += d * d;
    }
    if (beyond) *beyond = over;
    return static_cast<double>(std::sqrt(sum / static_cast<long double>(points.size())));
}

std::string CalibrationText(const std::vector<TFactorName>& factors,
                            const TCalibrationOutcome& outcome, int units) {
    const auto value = [](double v) { return FormatGeneral(v, 5); };
    std::size_t width = 0;
    for (const TFactorName& f : factors) width = std::max(width, f.text.size());
    std::string text;
    for (std::size_t k = 0; k < factors.size() && k < outcome.factors.size(); ++k)
        text += factors[k].text + std::string(width + 2 - factors[k].text.size(), ' ') +
                value(outcome.factors[k]) + "\n";
    const std::string unit = units == 2 ? " m" : " in";
    text += "misfit: " + value(outcome.misfitBefore) + unit + " before, " +
            value(outcome.misfitAfter) + unit + " after (root mean square of settlement)\n";
    text += "analyses: " + std::to_string(outcome.evaluations) + " (" + outcome.ending + ")\n";
    if (outcome.beyondBefore + outcome.beyondAfter > 0)
        text +=
            "measured loads beyond the computed capacity: " + std::to_string(outcome.beyondBefore) +
            " before, " + std::to_string(outcome.beyondAfter) + " after\n";
    return text;
}

TCalibrationOutcome Calibrate(TFactorProject& project, const TCalibrationRequest& request) {
    if (request.factors.empty()) throw ECalibrationError("no factor to calibrate");
    if (!(request.lower > 0) || !(request.upper > request.lower))
        throw ECalibrationError("the bounds of the factors must be positive and increasing");
    if (const std::string fault = project.Fault(request.factors); !fault.empty())
        throw ECalibrationError(fault);
    TMeasuredCurves measured = request.measured;
    ConvertMeasuredCurves(measured, project.Data().fUnits);

    Search search(project, request);
    search.points = CalibrationPoints(measured);
    if (search.points.empty())
        throw ECalibrationError("no measured point with a load above zero to calibrate to");
    long double largest = 0;
    for (const TMeasuredPoint& p : search.points) {
        search.loads.push_back(p.load);
        largest = std::max(largest, p.settlement);
    }
    search.closeEnough = static_cast<double>(1e-4L * largest);
    search.diameter = project.Data().OD;
    search.downdrag = project.Data().downdrag == 1;
    const int n = static_cast<int>(request.factors.size());
    search.maxEvaluations = request.maxEvaluations > 0 ? request.maxEvaluations : 100 + 150 * n;

    TCalibrationOutcome out;
    out.pointsUsed = static_cast<int>(search.points.size());
    // The project as it stands: it must analyse, or there is nothing to start from.
    const std::vector<double> ones(static_cast<std::size_t>(n), 1.0);
    int code = 0;
    out.misfitBefore = search.Misfit(ones, out.before, out.beyondBefore, code);
    if (code != kRunCompleted)
        throw ECalibrationError(std::string("the project cannot be analysed: ") +
                                ResultCodeMeaning(code));
    search.best = out.misfitBefore;
    search.bestFactors = ones;
    search.bestResults = out.before;
    search.bestBeyond = out.beyondBefore;

    const std::vector<double> lower(static_cast<std::size_t>(n), std::log(request.lower));
    const std::vector<double> upper(static_cast<std::size_t>(n), std::log(request.upper));
    // Near the computed capacity the settlement of a measured load changes fast, and the
    // misfit has valleys of its own. The local search runs from the factors 1, then from
    // the factors halved and doubled (all together, and for two factors or more also in
    // opposite senses), keeping the best; each run starts again with a fresh step from its
    // best point while a restart still gains.
    const auto dims = static_cast<std::size_t>(n);
    std::vector<std::vector<double>> starts = {std::vector<double>(dims, 0.0)};
    const double half = std::log(0.5);
    starts.push_back(std::vector<double>(dims, half));
    starts.push_back(std::vector<double>(dims, -half));
    if (n >= 2) {
        std::vector<double> a(dims), b(dims);
        for (int k = 0; k < n; ++k) {
            a[static_cast<std::size_t>(k)] = k % 2 == 0 ? -half : half;
            b[static_cast<std::size_t>(k)] = -a[static_cast<std::size_t>(k)];
        }
        starts.push_back(a);
        starts.push_back(b);
    }
    for (std::vector<double>& start : starts)
        for (std::size_t k = 0; k < start.size(); ++k)
            start[k] = std::clamp(start[k], lower[k], upper[k]);

    constexpr int kRestarts = 4;
    for (const std::vector<double>& start : starts) {
        std::vector<double> x = start;
        for (int round = 0; round <= kRestarts && !search.stopped; ++round) {
            const int left = search.maxEvaluations - search.evaluations;
            if (left <= 0) break;
            nlopt::opt opt(n >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_COBYLA, static_cast<unsigned>(n));
            opt.set_lower_bounds(lower);
            opt.set_upper_bounds(upper);
            opt.set_min_objective(ObjectiveThunk, &search);
            opt.set_initial_step(0.3); // about 35 % on each factor
            opt.set_xtol_abs(1e-5);    // 0.001 % on a factor
            opt.set_ftol_rel(1e-12);
            opt.set_maxeval(left);
            opt.set_stopval(0.0);
            const double before = search.best;
            double value = 0;
            try {
                out.ending = Ending(opt.optimize(x, value));
            } catch (const nlopt::forced_stop&) {
                out.ending = "stopped";
            } catch (const nlopt::roundoff_limited&) {
                out.ending = "converged as far as the analyses' precision allows";
            } catch (const std::runtime_error& e) {
                out.ending = std::string("stopped by the optimiser: ") + e.what();
                break;
            }
            if (!(search.best < before * (1 - 1e-6))) break; // nothing gained
            for (std::size_t k = 0; k < x.size(); ++k) x[k] = std::log(search.bestFactors[k]);
        }
        // A fit to the analyses' own precision needs no other start.
        if (search.stopped || search.evaluations >= search.maxEvaluations ||
            search.best <= search.closeEnough)
            break;
    }
    if (search.evaluations >= search.maxEvaluations && !search.stopped)
        out.ending = Ending(nlopt::MAXEVAL_REACHED);
    out.stopped = search.stopped;
    out.evaluations = search.evaluations;
    out.factors = search.bestFactors;
    out.misfitAfter = search.best;
    out.after = search.bestResults;
    out.beyondAfter = search.bestBeyond;
    project.Apply(request.factors, out.factors);
    return out;
}

} // namespace dorvek
