#include <gtest/gtest.h>

#include "CopyDataText.h"
#include "Mydatetimeunit.h"

using namespace trend;

namespace {

TEST(CopyDataText, WritesOneLinePerPointThatIsNotNullInTheFirstSeries) {
    TrendDataSet data;
    data.Series(0).Title = "A";
    auto b = std::make_shared<TrendSeries>();
    b->Title = "[R]B";
    data.AddSeries(b);
    const double day = ParseDateTimeText("2021/03/15");
    const std::vector<uint8_t> none{0, 0};
    data.AddRow(day, std::vector<double>{42.125, 1}, none);
    data.AddRow(day + 0.5, std::vector<double>{42.125, 2}, std::vector<uint8_t>{1, 0});
    data.AddRow(day + 0.75, std::vector<double>{1e20, 3}, std::vector<uint8_t>{0, 1});
    EXPECT_EQ(CopyDataText(data, RegionalSettings::cLocale()),
              "Date Time\tA\t[R]B\r\n"
              "2021/03/15\t42.125\t1\r\n"
              "2021/03/15 18:00:00\t1E20\t3\r\n");
}

TEST(CopyDataText, BeforeTheFirstLoadHoldsTheHeaderOnly) {
    TrendDataSet data;
    EXPECT_EQ(CopyDataText(data, RegionalSettings::cLocale()), "Date Time\t\r\n");
    data.RemoveAllSeries();
    EXPECT_EQ(CopyDataText(data, RegionalSettings::cLocale()), "Date Time\r\n");
}

TEST(CopyDataText, UsesTheRegionalTexts) {
    RegionalSettings german;
    german.decimalSeparator = ',';
    german.dateSeparator = ".";
    german.shortDateFormat = "dd/mm/yyyy";
    TrendDataSet data;
    data.AddRow(ParseDateTimeText("2021/03/15 08:15:00"), std::vector<double>{12.5},
                std::vector<uint8_t>{0});
    EXPECT_EQ(CopyDataText(data, german), "Date Time\t\r\n15.03.2021 08:15:00\t12,5\r\n");
}

}  // namespace
