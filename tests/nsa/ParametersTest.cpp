#include "nsa/Parameters.h"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <string>

using namespace nsa;
using F = ParameterField;

namespace {

// A form filled with texts, converted with "." like the command line does.
struct Form {
    std::map<F, std::string> text = {
        {F::TransHeight, "1"}, {F::SepDist, "10"},   {F::UpperLimit, "4"},
        {F::LowerLimit, "1"},  {F::ScanStep, "0"},   {F::StartFreq, "30"},
        {F::StopFreq, "1000"}, {F::NumPoints, "971"},
    };
    std::vector<F> read; // the fields in the order they were read

    template <typename T> std::optional<T> Parse(F f)
    {
        read.push_back(f);
        const std::string& s = text[f];
        T v{};
        const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
        if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
            return std::nullopt;
        return v;
    }

    ParameterCheck Check(bool vertical = false)
    {
        ParameterReader reader{[this](F f) { return Parse<double>(f); },
                               [this](F f) { return Parse<long long>(f); }};
        return CheckParameters(reader, vertical);
    }

    std::string Message()
    {
        const ParameterCheck c = Check();
        return c.failed ? c.message : "";
    }
};

std::string With(std::map<F, std::string> changes)
{
    Form form;
    for (auto& [f, t] : changes)
        form.text[f] = t;
    return form.Message();
}

} // namespace

TEST(CheckParameters, DefaultsPassAndFillTheRecord)
{
    Form form;
    const ParameterCheck c = form.Check(true);
    ASSERT_FALSE(c.failed);
    EXPECT_EQ(c.data.TransHeight, 1);
    EXPECT_EQ(c.data.SepDist, 10);
    EXPECT_EQ(c.data.UpperLimit, 4);
    EXPECT_EQ(c.data.LowerLimit, 1);
    EXPECT_EQ(c.data.ScanStep, 0);
    EXPECT_EQ(c.data.StartFreq, 30);
    EXPECT_EQ(c.data.StopFreq, 1000);
    EXPECT_EQ(c.data.NumPoints, 971);
    EXPECT_TRUE(c.data.Vertical);
    EXPECT_FALSE(c.data.AnsiDefault);
    EXPECT_EQ(form.read, (std::vector<F>{F::TransHeight, F::SepDist, F::LowerLimit, F::UpperLimit,
                                         F::ScanStep, F::StartFreq, F::StopFreq, F::NumPoints}));
}

TEST(CheckParameters, EachFieldHasItsMessageAndRange)
{
    const std::string trans = "Invalid transmit height.";
    const std::string sep = "Invalid separation distance.";
    const std::string lower = "Invalid lower limit.";
    const std::string upper = "Invalid upper limit (must be greater than lower limit).";
    const std::string step = "Invalid scan step (must be between zero and receive height span).";
    const std::string start = "Invalid start frequency (must be between 0 and 40 GHz).";
    const std::string stop = "Invalid stop frequency (must be between start and 40 GHz).";
    const std::string points = "Invalid number of frequency points (must be between 2 and 2001).";

    EXPECT_EQ(With({{F::TransHeight, "0"}}), trans);
    EXPECT_EQ(With({{F::TransHeight, "abc"}}), trans);
    EXPECT_EQ(With({{F::SepDist, "-1"}}), sep);
    EXPECT_EQ(With({{F::LowerLimit, "0"}, {F::UpperLimit, "-5"}}), lower);
    EXPECT_EQ(With({{F::UpperLimit, "1"}}), upper);
    EXPECT_EQ(With({{F::ScanStep, "3"}}), "");
    EXPECT_EQ(With({{F::ScanStep, "3.0000001"}}), step);
    EXPECT_EQ(With({{F::ScanStep, "-0.1"}}), step);
    EXPECT_EQ(With({{F::ScanStep, "letters"}}), step);
    EXPECT_EQ(With({{F::StartFreq, "0"}}), start);
    EXPECT_EQ(With({{F::StartFreq, "40000.5"}}), start);
    EXPECT_EQ(With({{F::StartFreq, "40000"}}), stop); // no stop frequency can pass then
    EXPECT_EQ(With({{F::StopFreq, "40000"}}), "");
    EXPECT_EQ(With({{F::StopFreq, "30"}}), stop);
    EXPECT_EQ(With({{F::NumPoints, "2001"}}), "");
    EXPECT_EQ(With({{F::NumPoints, "2002"}}), points);
    EXPECT_EQ(With({{F::NumPoints, "1"}}), points);
    EXPECT_EQ(With({{F::NumPoints, "2.5"}}), points);
    EXPECT_EQ(With({{F::NumPoints, ""}}), points);
    EXPECT_EQ(With({{F::TransHeight, "9"}}), ""); // above the scan is fine
}

TEST(CheckParameters, OnlyTheFirstInvalidFieldIsReportedAndLaterOnesAreNotRead)
{
    Form form;
    form.text[F::SepDist] = "0";
    form.text[F::NumPoints] = "0";
    EXPECT_EQ(form.Message(), "Invalid separation distance.");
    EXPECT_EQ(form.read, (std::vector<F>{F::TransHeight, F::SepDist}));
}

TEST(CheckParameters, NonFiniteValuesAndStallingStepsAreRefused)
{
    EXPECT_EQ(With({{F::TransHeight, "inf"}}), "Invalid transmit height.");
    EXPECT_EQ(With({{F::SepDist, "nan"}}), "Invalid separation distance.");
    EXPECT_EQ(With({{F::UpperLimit, "1e400"}}), "Invalid upper limit (must be greater than lower limit).");
    // Lengths whose powers no longer fit a double are refused by their own field.
    EXPECT_EQ(With({{F::TransHeight, "1e31"}}), "Invalid transmit height.");
    EXPECT_EQ(With({{F::SepDist, "1e200"}}), "Invalid separation distance.");
    EXPECT_EQ(With({{F::SepDist, "1e-200"}}), "Invalid separation distance.");
    EXPECT_EQ(With({{F::LowerLimit, "1e31"}}), "Invalid lower limit.");
    EXPECT_EQ(With({{F::UpperLimit, "1e31"}}), "Invalid upper limit (must be greater than lower limit).");
    // Positive, within the span, but adding it no longer moves the height.
    EXPECT_EQ(With({{F::ScanStep, "1e-300"}}),
              "Invalid scan step (must be between zero and receive height span).");
    // The default step at heights where 1 cm is below the rounding of a double.
    EXPECT_EQ(With({{F::LowerLimit, "1e15"}, {F::UpperLimit, "2e15"}}),
              "Invalid scan step (must be between zero and receive height span).");
}

TEST(CheckParameters, MoreThanAMillionHeightsHaveAMessageOfTheirOwn)
{
    // 0.000003 m over a 3 m span, and the default step over a 100 km span:
    // both steps are within the span and move the height, so the field's own
    // message would be false.
    for (const auto& changes : std::vector<std::map<F, std::string>>{{{F::ScanStep, "0.000003"}},
                                                                     {{F::UpperLimit, "100000"}}}) {
        Form form;
        for (auto& [f, t] : changes)
            form.text[f] = t;
        const ParameterCheck c = form.Check();
        ASSERT_EQ(c.failed, F::ScanStep);
        EXPECT_STREQ(c.message, kTooManyHeightsMessage);
        EXPECT_NE(std::string(c.message).find("1000000"), std::string::npos);
    }
    EXPECT_EQ(With({{F::ScanStep, "0.00000301"}}), "");
}
