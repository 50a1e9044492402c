#include "model/calibration/Calibrate.h"

#include "kernel/Kernel.h"
#include "model/calibration/CalibrationAnalysis.h"
#include "model/plots/LoadTestOverlay.h"

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
    for (const TMeasuredPoint& p : search.points) search.loads.push_back(p.load);
    search.diameter = project.Data().OD;
    search.downdrag = project.Data().downdrag == 1;
    const int n = static_cast<int>(request.factors.size());
    search.maxEvaluations = request.maxEvaluations > 0 ? request.maxEvaluations : 50 + 100 * n;

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

    // The misfit is steep where a measured load comes near the computed capacity, and the
    // search may settle on such a wall: it starts again from the best point with a fresh
    // step until a restart gains nothing.
    std::vector<double> x(static_cast<std::size_t>(n), 0.0);
    constexpr int kRestarts = 4;
    for (int round = 0; round <= kRestarts && !search.stopped; ++round) {
        const int left = search.maxEvaluations - search.evaluations;
        if (left <= 0) {
            out.ending = Ending(nlopt::MAXEVAL_REACHED);
            break;
        }
        nlopt::opt opt(n >= 2 ? nlopt::LN_BOBYQA : nlopt::LN_COBYLA, static_cast<unsigned>(n));
        opt.set_lower_bounds(
            std::vector<double>(static_cast<std::size_t>(n), std::log(request.lower)));
        opt.set_upper_bounds(
            std::vector<double>(static_cast<std::size_t>(n), std::log(request.upper)));
        opt.set_min_objective(ObjectiveThunk, &search);
        opt.set_initial_step(0.3); // about 35 % on each factor
        opt.set_xtol_abs(1e-5);    // 0.001 % on a factor
        opt.set_ftol_rel(1e-12);
        opt.set_maxeval(left);
        opt.set_stopval(0.0);
        for (std::size_t k = 0; k < x.size(); ++k) x[k] = std::log(search.bestFactors[k]);
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
    }
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
