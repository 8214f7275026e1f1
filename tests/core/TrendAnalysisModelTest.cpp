#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "IndicatorPass.h"
#include "TrendAnalysisModel.h"
#include "TrendErrors.h"

using namespace trend;

namespace {

struct Point {
    double a;  // first series
    double b;  // second series
};

// Series 0 (the design series) and series 1 with one point per entry, a minute apart;
// the rows in nullRows are null points of series 0.
TrendDataSet twoSeries(const std::vector<Point>& points, const std::vector<size_t>& nullRows = {}) {
    TrendDataSet data;
    data.AddSeries(std::make_shared<TrendSeries>());
    for (size_t i = 0; i < points.size(); ++i) {
        const bool isNull = std::find(nullRows.begin(), nullRows.end(), i) != nullRows.end();
        data.AddRow(45000.0 + static_cast<double>(i) / 1440.0,
                    std::vector<double>{points[i].a, points[i].b},
                    std::vector<uint8_t>{static_cast<uint8_t>(isNull), 0});
    }
    return data;
}

// Grid column 1, rows 1 to 16, joined with blanks.
std::string column1(const TrendAnalysisModel& model) {
    std::string joined;
    for (const std::string& text : model.ShowIndicators()) {
        joined += (joined.empty() ? "" : " ") + text;
    }
    return joined;
}

AnalysisParameterTexts texts(const char* threshold, const char* upper, const char* lower,
                             const char* filter) {
    return {threshold, upper, lower, filter};
}

const AnalysisParameterTexts kAtCreation = texts("0.5", "100.0", "0.5", "5");

// Steady samples, steps, an episode begun while settling, a sign change, a skipped point and
// one out of band; with Threshold 0.5, band 1.0 < a < 99.5 and Filter(s) 2 it gives
// kEveryKindColumn.
const std::vector<Point> kEveryKind = {
    {50, 50}, {50, 50.8}, {50, 51},   {60, 60}, {60, 61}, {60, 60.9},
    {60, 59}, {200, 0},   {60, 59.2}, {0.5, 3}, {60, 60},
};
const char* const kEveryKindColumn =
    "10 9 90.00 2 6 3 6 2 4 22.22 33.33 22.22 59.50 1.00 1.00 1.00";

TrendAnalysisModel afterEveryKind() {
    TrendAnalysisModel model;
    model.ReadParameters(texts("0.5", "100.0", "0.5", "2"));
    model.ComputeIndicators(twoSeries(kEveryKind));
    return model;
}

TEST(TrendAnalysisModel, ComputesATrendWithEveryKindOfSample) {
    TrendAnalysisModel model;
    model.ReadParameters(texts("0.5", "100.0", "0.5", "2"));
    EXPECT_EQ(model.parameters().FThreshold, 0.5);
    EXPECT_EQ(model.parameters().FUpperLimit, 99.5);
    EXPECT_EQ(model.parameters().FLowerLimit, 1.0);
    EXPECT_EQ(model.parameters().FFilterSamples, 2);
    const TrendDataSet data = twoSeries(kEveryKind);
    model.ComputeIndicators(data);
    EXPECT_EQ(column1(model), kEveryKindColumn);
    model.ComputeIndicators(data);
    EXPECT_EQ(column1(model), kEveryKindColumn) << "a second press gives the same results";
}

struct PassCase {
    const char* name;
    AnalysisParameterTexts parameters;
    std::vector<Point> points;
    const char* expected;  // grid column 1, rows 1 to 16
    std::vector<size_t> nullRows = {};
};

// Seven steady samples deviating by +0.9 after a step, behind one steady sample deviating by +0.8.
const std::vector<Point> kSettling = {{50, 50.8}, {60, 60},   {60, 60.9}, {60, 60.9}, {60, 60.9},
                                      {60, 60.9}, {60, 60.9}, {60, 60.9}, {60, 60.9}};

TEST(TrendAnalysisModel, CountsEverySampleKindInOnePass) {
    const PassCase cases[] = {
        {"ANewModelWithoutPointsShowsZeros",
         kAtCreation,
         {},
         "0 0 0.00 0 0 0 0 0 0 0.00 0.00 0.00 0.00 0.00 0.00 0.00"},
        {"ASkippedFirstPointStillGivesThePreviousValue",
         kAtCreation,
         {{200, 0}, {50, 50}},
         "1 1 100.00 1 0 0 0 0 0 100.00 0.00 0.00 150.00 0.00 0.00 0.00"},
        {"ValuesOnTheBandLimitsAreValidButOutOfBandAndMoveThePreviousValue",
         kAtCreation,
         {{50, 50}, {1.0, 5}, {50, 50}, {99.5, 90}, {50, 50}},
         "5 3 60.00 2 0 0 0 0 0 66.67 0.00 0.00 49.50 0.00 0.00 0.00"},
        {"AStepOrDeviationOfExactlyThresholdDoesNotCountAndEndsTheRun",
         kAtCreation,
         {{50, 50.75}, {50.5, 51.0}, {50.5, 51.25}},
         "3 3 100.00 0 2 2 2 2 2 0.00 66.67 66.67 0.50 0.75 0.75 0.75"},
        {"EpisodesBeginARunOrChangeItsSign",
         kAtCreation,
         {{50, 50.8}, {50, 50.9}, {50, 49.3}, {50, 50.6}},
         "4 4 100.00 0 4 3 4 3 4 0.00 75.00 75.00 0.00 0.90 0.90 0.90"},
        {"ASmallDeviationEndsTheRunSoTheNextExcursionIsAnEpisode",
         kAtCreation,
         {{50, 50.8}, {50, 50.1}, {50, 50.9}, {50, 49.3}, {50, 50.6}},
         "5 5 100.00 0 4 4 4 4 4 0.00 80.00 80.00 0.00 0.90 0.90 0.90"},
        {"FilterFiveSettlesAfterFiveSteadySamples", texts("0.5", "100.0", "0.5", "5"), kSettling,
         "9 9 100.00 1 8 2 8 1 3 11.11 22.22 11.11 10.00 0.90 0.90 0.90"},
        {"FilterSixSettlesOnTheSeventhSteadySample", texts("0.5", "100.0", "0.5", "6"), kSettling,
         "9 9 100.00 1 8 2 8 1 2 11.11 22.22 11.11 10.00 0.90 0.90 0.90"},
        {"FilterSevenDoesNotSettleWithinSevenSamples", texts("0.5", "100.0", "0.5", "7"), kSettling,
         "9 9 100.00 1 8 2 8 1 1 11.11 22.22 11.11 10.00 0.90 0.90 0.80"},
        {"FilterZeroIsSettledAtOnce", texts("0.5", "100.0", "0.5", "0"), kSettling,
         "9 9 100.00 1 8 2 8 2 8 11.11 22.22 22.22 10.00 0.90 0.90 0.90"},
        {"FilterTextThatIsNoWholeNumberCountsAsZero", texts("0.5", "100.0", "0.5", "2.5"),
         kSettling, "9 9 100.00 1 8 2 8 2 8 11.11 22.22 22.22 10.00 0.90 0.90 0.90"},
        {"FilterBeyondThirtyTwoBitsCountsAsZero", texts("0.5", "100.0", "0.5", "2147483648"),
         kSettling, "9 9 100.00 1 8 2 8 2 8 11.11 22.22 22.22 10.00 0.90 0.90 0.90"},
        {"ANegativeFilterNeverSettlesAgain", texts("0.5", "100.0", "0.5", "-1"), kSettling,
         "9 9 100.00 1 8 2 8 1 1 11.11 22.22 11.11 10.00 0.90 0.90 0.80"},
        {"TheSmallestFilterNeverSettlesAgain", texts("0.5", "100.0", "0.5", "-2147483648"),
         kSettling, "9 9 100.00 1 8 2 8 1 1 11.11 22.22 11.11 10.00 0.90 0.90 0.80"},
        {"UpperBelowLowerLeavesNoSampleInBand", texts("0.5", "1", "50", "5"), kEveryKind,
         "10 0 0.00 0 0 0 0 0 0 0.00 0.00 0.00 0.00 0.00 0.00 0.00"},
        {"NullPointsCountWithTheValueTheyHold",
         kAtCreation,
         {{50, 50}, {60, 60.8}},
         "2 2 100.00 1 1 0 0 0 0 50.00 0.00 0.00 10.00 0.80 0.00 0.00",
         {1}},
    };
    for (const PassCase& c : cases) {
        TrendAnalysisModel model;
        model.ReadParameters(c.parameters);
        model.ComputeIndicators(twoSeries(c.points, c.nullRows));
        EXPECT_EQ(column1(model), c.expected) << c.name;
    }
}

struct KeepCase {
    const char* name;
    AnalysisParameterTexts parameters;
    std::vector<Point> points;
    const char* expected;
};

TEST(TrendAnalysisModel, IndicatorsWithoutSamplesKeepThePreviousResults) {
    const KeepCase cases[] = {
        {"AnEmptyFirstSeriesChangesNothing", kAtCreation, {}, kEveryKindColumn},
        {"NoValidSampleChangesOnlyTheTwoCounts",
         kAtCreation,
         {{200, 1}, {200, 2}},
         "0 0 90.00 2 6 3 6 2 4 22.22 33.33 22.22 59.50 1.00 1.00 1.00"},
        {"NoInBandSampleKeepsTheRatesAndMaxima", texts("0.5", "1", "50", "5"), kEveryKind,
         "10 0 0.00 0 0 0 0 0 0 22.22 33.33 22.22 59.50 1.00 1.00 1.00"},
    };
    for (const KeepCase& c : cases) {
        TrendAnalysisModel model = afterEveryKind();
        model.ReadParameters(c.parameters);
        model.ComputeIndicators(twoSeries(c.points));
        EXPECT_EQ(column1(model), c.expected) << c.name;
    }
}

TEST(TrendAnalysisModel, ATextThatIsNoNumberStopsTheReadingAtItsField) {
    struct Case {
        const char* name;
        AnalysisParameterTexts parameters;
        const char* offending;
        AnalysisParameters expected;
    };
    const Case cases[] = {
        {"Threshold", texts("abc", "50", "10", "7"), "'abc'", {0.5, 99.5, 1.0, 5}},
        {"Upper", texts("1.0", "1,5", "10", "7"), "'1,5'", {1.0, 99.5, 1.0, 5}},
        {"Lower", texts("1.0", "50", "", "7"), "''", {1.0, 49.0, 1.0, 5}},
    };
    for (const Case& c : cases) {
        TrendAnalysisModel model;
        model.ReadParameters(kAtCreation);
        try {
            model.ReadParameters(c.parameters);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const ConversionError& error) {
            EXPECT_NE(std::string(error.what()).find(c.offending), std::string::npos)
                << c.name << ": " << error.what();
        }
        const AnalysisParameters& p = model.parameters();
        EXPECT_EQ(p.FThreshold, c.expected.FThreshold) << c.name;
        EXPECT_EQ(p.FUpperLimit, c.expected.FUpperLimit) << c.name;
        EXPECT_EQ(p.FLowerLimit, c.expected.FLowerLimit) << c.name;
        EXPECT_EQ(p.FFilterSamples, c.expected.FFilterSamples) << c.name;
    }
}

TEST(TrendAnalysisModel, TheTextsAtCreationFollowTheRegionalSeparator) {
    const AnalysisParameterTexts c =
        AnalysisParameterTexts::atCreation(RegionalSettings::cLocale());
    EXPECT_EQ(c.Edit1Text, "0.5");
    EXPECT_EQ(c.Edit2Text, "100.0");
    EXPECT_EQ(c.Edit3Text, "0.5");
    EXPECT_EQ(c.Edit4Text, "5");

    RegionalSettings comma;
    comma.decimalSeparator = ',';
    TrendAnalysisModel model(comma);
    const AnalysisParameterTexts regional = AnalysisParameterTexts::atCreation(comma);
    EXPECT_EQ(regional.Edit2Text, "100,0");
    model.ReadParameters(regional);
    EXPECT_EQ(model.parameters().FUpperLimit, 99.5);
    EXPECT_EQ(model.parameters().FLowerLimit, 1.0);
    EXPECT_THROW(model.ReadParameters(kAtCreation), ConversionError);
}

TEST(TrendAnalysisModel, AMissingSecondSeriesIsAListIndexError) {
    TrendDataSet oneSeries;
    oneSeries.AddRow(45000.0, std::vector<double>{50.0}, std::vector<uint8_t>{0});
    TrendDataSet noSeries;
    noSeries.RemoveAllSeries();
    for (const TrendDataSet* data : {&oneSeries, &noSeries}) {
        TrendAnalysisModel model = afterEveryKind();
        EXPECT_THROW(model.ComputeIndicators(*data), ListIndexError);
        EXPECT_EQ(column1(model), kEveryKindColumn);
    }
    TrendAnalysisModel model = afterEveryKind();
    model.ComputeIndicators(TrendDataSet());
    EXPECT_EQ(column1(model), kEveryKindColumn) << "one series without points is no error";
}

TEST(TrendAnalysisModel, ShowsLargeValuesWithoutExponentOrGrouping) {
    TrendAnalysisModel model;
    model.ReadParameters(texts("0.001", "1e9", "-1e9", "0"));
    model.ComputeIndicators(twoSeries({{0, 0.2}, {0, -1234567.891}}));
    EXPECT_EQ(column1(model),
              "2 2 100.00 0 2 2 2 2 2 0.00 100.00 100.00 0.00 1234567.89 1234567.89 1234567.89");
}

// The computation one point at a time, step by step as the indicators are defined.
IndicatorTotals pointByPoint(const std::vector<double>& a, const std::vector<double>& b,
                             const IndicatorLimits& l) {
    IndicatorTotals t;
    double p = a[0];
    int64_t c = 0;
    int g = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == 200.0) {
            continue;
        }
        if (l.lower < a[i] && a[i] < l.upper) {
            t.vSample += 1;
            const double d = b[i] - a[i];
            if (std::fabs(d) > t.dvMax) {
                t.dvMax = std::fabs(d);
            }
            const double s = std::fabs(a[i] - p);
            if (s > t.spdvMax) {
                t.spdvMax = s;
            }
            if (s > l.threshold) {
                t.spdvi += 1;
                g = 0;
                c = l.filterSamples;
            } else {
                if (std::fabs(d) > t.dvspMax) {
                    t.dvspMax = std::fabs(d);
                }
                if (c == 0 && std::fabs(d) > t.dvspMax5) {
                    t.dvspMax5 = std::fabs(d);
                }
                if (std::fabs(d) > l.threshold) {
                    const bool episode = d > 0 ? g <= 0 : g >= 0;
                    if (episode) {
                        t.dvsp += 1;
                        t.dvsp5 += c == 0 ? 1 : 0;
                    }
                    g = d > 0 ? 1 : -1;
                    t.dvspi += 1;
                    t.dvspi5 += c == 0 ? 1 : 0;
                } else {
                    g = 0;
                }
                if (c != 0) {
                    c = c - 1;
                }
            }
            if (std::fabs(d) > l.threshold) {
                t.dvi += 1;
            }
        }
        t.tSample += 1;
        p = a[i];
    }
    return t;
}

std::string describe(const IndicatorTotals& t) {
    char text[400];
    std::snprintf(text, sizeof text,
                  "T%lld V%lld SP%lld DVI%lld DVSP%lld DVSPI%lld DVSP5 %lld DVSPI5 %lld "
                  "max %.17g %.17g %.17g %.17g",
                  static_cast<long long>(t.tSample), static_cast<long long>(t.vSample),
                  static_cast<long long>(t.spdvi), static_cast<long long>(t.dvi),
                  static_cast<long long>(t.dvsp), static_cast<long long>(t.dvspi),
                  static_cast<long long>(t.dvsp5), static_cast<long long>(t.dvspi5), t.spdvMax,
                  t.dvMax, t.dvspMax, t.dvspMax5);
    return text;
}

// Stretches of a few to a few hundred points: a level with noise, steps, excursions of either
// sign, points out of band or on its limits, invalid points, a NaN now and then.
void randomTrend(uint32_t seed, std::vector<double>& a, std::vector<double>& b) {
    std::mt19937 random(seed);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    a.clear();
    b.clear();
    double level = 50.0;
    while (a.size() < 20000) {
        const size_t length = 1 + random() % 300;
        const unsigned kind = random() % 8;
        const double excursion = random() % 3 == 0 ? 0.0 : uniform(-1.2, 1.2);
        for (size_t k = 0; k < length; ++k) {
            double x = level + uniform(-0.3, 0.3);
            if (kind == 0 && random() % 20 == 0) {
                level = uniform(2.0, 98.0);  // steps now and then
            } else if (kind == 1) {
                x = uniform(0.0, 101.0);  // steps nearly everywhere
            } else if (kind == 2) {
                x = random() % 2 ? 0.5 : 99.8;  // out of band
            } else if (kind == 3 && random() % 7 == 0) {
                x = random() % 2 ? 200.0 : (random() % 2 ? 1.0 : 99.5);
            }
            double y = x + excursion + uniform(-0.3, 0.3);
            if (random() % 5000 == 0) {
                y = std::numeric_limits<double>::quiet_NaN();
            }
            a.push_back(x);
            b.push_back(y);
        }
    }
}

TEST(IndicatorPass, GivesTheResultsOfThePointByPointDefinition) {
    const int64_t filters[] = {0, 1, 2, 5, 63, 64, 65, 300, -1, INT32_MIN, INT32_MAX};
    std::vector<double> a, b;
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        randomTrend(seed, a, b);
        for (int64_t filter : filters) {
            for (const IndicatorLimits limits : {IndicatorLimits{0.5, 1.0, 99.5, filter},
                                                 IndicatorLimits{0.2, -1.0, 300.0, filter},
                                                 IndicatorLimits{-0.5, 1.0, 99.5, filter}}) {
                // Every start offset against the blocks of the pass.
                for (size_t skip : {size_t{0}, size_t{1}, size_t{37}}) {
                    const std::vector<double> a1(a.begin() + skip, a.end());
                    const std::vector<double> b1(b.begin() + skip, b.end());
                    const std::string expected = describe(pointByPoint(a1, b1, limits));
                    for (PassVectors vectors :
                         {PassVectors::Best, PassVectors::Sse2, PassVectors::None}) {
                        EXPECT_EQ(describe(RunIndicatorPass(a1, b1, limits, vectors)), expected)
                            << "seed " << seed << " filter " << filter << " threshold "
                            << limits.threshold << " upper " << limits.upper << " skip " << skip
                            << " vectors " << static_cast<int>(vectors);
                    }
                }
            }
        }
    }
}

}  // namespace
