// trend_bench_indicators: one pass of ComputeIndicators over 1,000,000 points against a plain
// loop that reads both series once, in the same run. Prints the ratio of the medians and exits
// 1 when it exceeds the goal.
//   trend_bench_indicators [benchmark options]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "IndicatorPass.h"
#include "TrendAnalysisModel.h"
#include "TrendDataSet.h"

namespace {

constexpr size_t kPoints = 1000000;
constexpr double kGoal = 3.0;  // the pass may cost at most this many plain loops

// A recorded trend: the first series holds a level with small noise and a step every few
// hundred samples, now and then an invalid sample (200.0) or a stretch outside the band; the
// second series follows with runs of excursions of either sign.
std::unique_ptr<trend::TrendDataSet> recordedTrend() {
    auto data = std::make_unique<trend::TrendDataSet>();
    data->AddSeries(std::make_shared<trend::TrendSeries>());
    data->reserveRows(kPoints);
    std::mt19937 random(20251129);
    std::uniform_real_distribution<double> noise(-0.2, 0.2);
    double level = 50.0;
    double excursion = 0.0;
    for (size_t i = 0; i < kPoints; ++i) {
        if (i % 400 == 0) {
            level = 20.0 + static_cast<double>(random() % 600) / 10.0;
        }
        if (i % 60 == 0) {
            excursion = (random() % 3 == 0) ? ((random() % 2) ? 0.9 : -0.9) : 0.0;
        }
        double a = level + noise(random);
        if (i % 5000 == 17) {
            a = 200.0;
        } else if (i % 10000 < 150) {
            a = 0.5;  // below the band
        }
        const double b = a + excursion + noise(random);
        data->AddRow(45000.0 + static_cast<double>(i) / 86400.0, std::vector<double>{a, b},
                     std::vector<uint8_t>{0, 0});
    }
    return data;
}

// The worst case for the branches: every sample's kind drawn at random.
std::unique_ptr<trend::TrendDataSet> randomNoise() {
    auto data = std::make_unique<trend::TrendDataSet>();
    data->AddSeries(std::make_shared<trend::TrendSeries>());
    data->reserveRows(kPoints);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(0.0, 101.0);
    std::uniform_real_distribution<double> deviation(-1.5, 1.5);
    for (size_t i = 0; i < kPoints; ++i) {
        const double a = value(random);
        data->AddRow(45000.0 + static_cast<double>(i) / 86400.0,
                     std::vector<double>{a, a + deviation(random)}, std::vector<uint8_t>{0, 0});
    }
    return data;
}

void plainLoop(benchmark::State& state, const trend::TrendDataSet* data) {
    const auto first = data->Series(0).values();
    const auto second = data->Series(1).values();
    for (auto _ : state) {
        double sumFirst = 0.0;
        double sumSecond = 0.0;
        for (size_t i = 0; i < first.size(); ++i) {
            sumFirst += first[i];
            sumSecond += second[i];
        }
        benchmark::DoNotOptimize(sumFirst);
        benchmark::DoNotOptimize(sumSecond);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * first.size()));
}

void computeIndicators(benchmark::State& state, const trend::TrendDataSet* data) {
    trend::TrendAnalysisModel model;
    model.ReadParameters(
        trend::AnalysisParameterTexts::atCreation(trend::RegionalSettings::cLocale()));
    for (auto _ : state) {
        model.ComputeIndicators(*data);
        benchmark::DoNotOptimize(model.indicators());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * data->Count()));
}

// The pass with two points per vector only, as on processors without AVX (for information).
void sse2Pass(benchmark::State& state, const trend::TrendDataSet* data) {
    const trend::IndicatorLimits limits{0.5, 1.0, 99.5, 5};
    for (auto _ : state) {
        benchmark::DoNotOptimize(trend::RunIndicatorPass(
            data->Series(0).values(), data->Series(1).values(), limits, trend::PassVectors::Sse2));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * data->Count()));
}

// The console output, and the median processor time of each benchmark for the ratios (on a
// shared machine less disturbed than the wall-clock time).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
        }
    }
    const std::map<std::string, double>& medians() const { return medians_; }

private:
    std::map<std::string, double> medians_;
};

}  // namespace

int main(int argc, char** argv) {
    const auto recorded = recordedTrend();
    const auto noise = randomNoise();
    struct Data {
        const char* name;
        const trend::TrendDataSet* data;
    };
    const Data sets[] = {{"recorded_trend", recorded.get()}, {"random_noise", noise.get()}};
    for (const Data& set : sets) {
        using Body = void (*)(benchmark::State&, const trend::TrendDataSet*);
        const std::pair<const char*, Body> bodies[] = {{"PlainLoop", plainLoop},
                                                       {"ComputeIndicators", computeIndicators},
                                                       {"Sse2Pass", sse2Pass}};
        for (auto [kind, run] : bodies) {
            benchmark::RegisterBenchmark((std::string(kind) + "/" + set.name).c_str(), run,
                                         set.data)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(7);
        }
    }
    // Both loops share whatever else the machine is doing: the repetitions run interleaved.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    int status = 0;
    for (const Data& set : sets) {
        const auto plain = reporter.medians().find(std::string("PlainLoop/") + set.name);
        const auto pass = reporter.medians().find(std::string("ComputeIndicators/") + set.name);
        if (plain == reporter.medians().end() || pass == reporter.medians().end()) {
            continue;
        }
        const double ratio = pass->second / plain->second;
        std::printf("%-16s one pass = %.2fx the plain loop (goal <= %.0fx): %s\n", set.name, ratio,
                    kGoal, ratio <= kGoal ? "met" : "MISSED");
        status = ratio <= kGoal ? status : 1;
        const auto sse2 = reporter.medians().find(std::string("Sse2Pass/") + set.name);
        if (sse2 != reporter.medians().end()) {
            std::printf("%-16s two points per vector only: %.2fx\n", set.name,
                        sse2->second / plain->second);
        }
    }
    return status;
}
