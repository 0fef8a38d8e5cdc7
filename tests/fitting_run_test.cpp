#include "fitting_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>
#include <utility>

namespace {

struct RunResult {
    std::string output;
    int status;
};

RunResult run(const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    const int status = run_fitting(in, out);
    return {out.str(), status};
}

const std::string kBanner =
    "This program finds the polynomial which fits best to a given set of data points.\n\n"
    "Please enter the number of your data points: ";
const std::string kPointsHeading = "\nPlease enter your data points:\n";
const std::string kDegreePrompt =
    "What is the degree of the polynomial that you would like to fit to this data? ";

// Everything a run writes up to the report, for n points.
std::string questions(int n)
{
    std::string text = kBanner + kPointsHeading;
    for (int k = 0; k < n; ++k) {
        const std::string index = std::to_string(k);
        text += "x[" + index + "]=   f(x[" + index + "])=";
    }
    return text + kDegreePrompt;
}

const std::string kWorkedExampleReport =
    "tabphi(0)= 1   1   1   \n\n"
    "tabphi(1)= 0   1   2   \n\n"
    "tabf= 1   3   5   \n\n"
    "The A matrix is\n\n"
    "3   3   \n\n"
    "3   5   \n\n"
    "The B vector is\n\n"
    "B= 9   13   \n\n"
    "C[0]=1\n"
    "C[1]=2\n"
    "\n\n"
    "The function which best fits the data is \n\n"
    "(1)+(2)*x^1\n\n";

TEST(FittingRun, WorkedExampleByteForByte)
{
    const RunResult result = run("3\n0\n1\n1\n3\n2\n5\n1\n");
    EXPECT_EQ(result.output, questions(3) + kWorkedExampleReport);
    EXPECT_EQ(result.status, kFitWritten);
}

// Output that shows only what has been flushed, like a screen.
class ScreenBuffer : public std::stringbuf {
public:
    std::string shown;

protected:
    int sync() override
    {
        shown = str();
        return 0;
    }
};

bool ends_with_prompt(const std::string& text)
{
    for (const char* prompt : {"points: ", "]=", "])=", "data? "}) {
        const std::string tail = prompt;
        if (text.size() >= tail.size() &&
            text.compare(text.size() - tail.size(), tail.size(), tail) == 0) {
            return true;
        }
    }
    return false;
}

// Input that arrives a few characters at a time, like typing, and counts the
// waits at which the screen does not end with the question being answered.
class TrickleBuffer : public std::streambuf {
public:
    TrickleBuffer(std::string text, std::size_t chunk, const ScreenBuffer& screen)
        : text_(std::move(text)), chunk_(chunk), screen_(screen)
    {
    }
    int waits_without_prompt = 0;

protected:
    int_type underflow() override
    {
        if (!ends_with_prompt(screen_.shown)) ++waits_without_prompt;
        if (position_ >= text_.size()) return traits_type::eof();
        char* start = &text_[position_];
        const std::size_t size = std::min(chunk_, text_.size() - position_);
        position_ += size;
        setg(start, start, start + size);
        return traits_type::to_int_type(*start);
    }

private:
    std::string text_;
    std::size_t chunk_;
    const ScreenBuffer& screen_;
    std::size_t position_ = 0;
};

TEST(FittingRun, InputInSmallPiecesGivesTheSameRunAndFlushesBeforeEveryWait)
{
    const std::string inputs[] = {
        "3\n0\n1\n1\n3\n2\n5\n1\n",
        "4 -1.25e-1 123456.789 0.000314159e+4 -2.5 1e2 .5 7. 3 2",
        "2 1 2 1e",
    };
    for (const std::string& input : inputs) {
        const RunResult whole = run(input);
        for (std::size_t chunk : {1, 2, 3, 7}) {
            ScreenBuffer screen;
            TrickleBuffer typing(input, chunk, screen);
            std::istream in(&typing);
            std::ostream out(&screen);
            EXPECT_EQ(run_fitting(in, out), whole.status) << input << " in pieces of " << chunk;
            EXPECT_EQ(screen.str(), whole.output) << input << " in pieces of " << chunk;
            EXPECT_EQ(typing.waits_without_prompt, 0) << input << " in pieces of " << chunk;
        }
    }
}

TEST(FittingRun, ValuesMaySitAnywhereBetweenWhiteSpace)
{
    // Typed input never reaches the output, so every layout gives the same bytes.
    const char* layouts[] = {
        "3 0 1 1 3 2 5 1",
        "3\r\n0 1\r\n1 3\r\n2 5\r\n1\r\n",
        "\t3\t0\t1\v1\f3\n\n\n2 \r 5   1 trailing words are never read",
        "+3 0. 1.0 1e0 .3e1 2 5 +1",
    };
    for (const char* input : layouts) {
        const RunResult result = run(input);
        EXPECT_EQ(result.output, questions(3) + kWorkedExampleReport) << input;
        EXPECT_EQ(result.status, kFitWritten) << input;
    }
}

TEST(FittingRun, ReportsOfCompletedFits)
{
    // name, input, report after the questions
    const struct {
        const char* name;
        const char* input;
        int points;
        const char* report;
    } cases[] = {
        {"one point, degree 0", "1 2.5 -7.25 0", 1,
         "tabphi(0)= 1   \n\ntabf= -7.25   \n\nThe A matrix is\n\n1   \n\n"
         "The B vector is\n\nB= -7.25   \n\nC[0]=-7.25\n\n\n"
         "The function which best fits the data is \n\n(-7.25)\n\n"},
        {"degree 0 gives the mean up to rounding", "7 0 1 1 2 2 2 3 2 4 2 5 2 6 2 0", 7,
         "tabphi(0)= 1   1   1   1   1   1   1   \n\n"
         "tabf= 1   2   2   2   2   2   2   \n\nThe A matrix is\n\n7   \n\n"
         "The B vector is\n\nB= 13   \n\nC[0]=1.85714\n\n\n"
         "The function which best fits the data is \n\n(1.85714)\n\n"},
        {"a negative coefficient keeps its plus sign", "3 0 5 1 3 2 1 1", 3,
         "tabphi(0)= 1   1   1   \n\ntabphi(1)= 0   1   2   \n\ntabf= 5   3   1   \n\n"
         "The A matrix is\n\n3   3   \n\n3   5   \n\nThe B vector is\n\nB= 9   5   \n\n"
         "C[0]=5\nC[1]=-2\n\n\nThe function which best fits the data is \n\n"
         "(5)+(-2)*x^1\n\n"},
        {"2.7 for the count reads 2 and leaves .7 for x[0]", "2.7 1 3 5 1", 2,
         "tabphi(0)= 1   1   \n\ntabphi(1)= 0.7   3   \n\ntabf= 1   5   \n\n"
         "The A matrix is\n\n2   3.7   \n\n3.7   9.49   \n\nThe B vector is\n\n"
         "B= 6   15.7   \n\nC[0]=-0.217391\nC[1]=1.73913\n\n\n"
         "The function which best fits the data is \n\n(-0.217391)+(1.73913)*x^1\n\n"},
        {"a parabola, every term written", "3 -1 1 0 0 1 1 2", 3,
         "tabphi(0)= 1   1   1   \n\ntabphi(1)= -1   0   1   \n\n"
         "tabphi(2)= 1   0   1   \n\ntabf= 1   0   1   \n\nThe A matrix is\n\n"
         "3   0   2   \n\n0   2   0   \n\n2   0   2   \n\nThe B vector is\n\n"
         "B= 2   0   2   \n\nC[0]=0\nC[1]=0\nC[2]=1\n\n\n"
         "The function which best fits the data is \n\n(0)+(0)*x^1+(1)*x^2\n\n"},
        {"0.1 is written back as 0.1", "1 0.1 0.1 0", 1,
         "tabphi(0)= 1   \n\ntabf= 0.1   \n\nThe A matrix is\n\n1   \n\n"
         "The B vector is\n\nB= 0.1   \n\nC[0]=0.1\n\n\n"
         "The function which best fits the data is \n\n(0.1)\n\n"},
    };
    for (const auto& c : cases) {
        const RunResult result = run(c.input);
        EXPECT_EQ(result.output, questions(c.points) + c.report) << c.name;
        EXPECT_EQ(result.status, kFitWritten) << c.name;
    }
}

TEST(FittingRun, PromptsCountTheIndexUpPastEveryPowerOfTen)
{
    std::string input = "1001";
    for (int k = 0; k < 1001; ++k)
        input += " " + std::to_string(k) + " 1";
    const RunResult result = run(input + " 0");
    EXPECT_EQ(result.output.substr(0, questions(1001).size()), questions(1001));
    EXPECT_EQ(result.status, kFitWritten);
}

TEST(FittingRun, BadInputEndsTheRunWithOneLine)
{
    const std::string n_range = "(a whole number from 1 to 2147483647)";
    const std::string m_range = "(a whole number from 0 to 2147483647)";
    // input, what was written before the message, the message
    const struct {
        const char* input;
        std::string before;
        std::string message;
    } cases[] = {
        {"", kBanner,
         "Error: expected the number of data points " + n_range + ", but the input ended."},
        {"  \n\t ", kBanner,
         "Error: expected the number of data points " + n_range + ", but the input ended."},
        {"0", kBanner, "Error: expected the number of data points " + n_range + ", found \"0\"."},
        {"-3 1 1", kBanner,
         "Error: expected the number of data points " + n_range + ", found \"-3\"."},
        {"2147483648", kBanner,
         "Error: expected the number of data points " + n_range + ", found \"2147483648\"."},
        {"three", kBanner,
         "Error: expected the number of data points " + n_range + ", found \"three\"."},
        {"+ 3", kBanner, "Error: expected the number of data points " + n_range + ", found \"+\"."},
        {"0x10", kBanner,
         "Error: expected the number of data points " + n_range + ", found \"0\"."},
        {"2 1 nan", kBanner + kPointsHeading + "x[0]=   f(x[0])=",
         "Error: expected a number for f(x[0]), found \"nan\"."},
        {"2 1 2 inf", kBanner + kPointsHeading + "x[0]=   f(x[0])=x[1]=",
         "Error: expected a number for x[1], found \"inf\"."},
        {"1 1e 2 0",
         kBanner + kPointsHeading + "x[0]=", "Error: expected a number for x[0], found \"1e\"."},
        {"1 --1 2 0",
         kBanner + kPointsHeading + "x[0]=", "Error: expected a number for x[0], found \"--1\"."},
        // A sign after '+': the one-step reader once took this for -2.
        {"1 +-2 2 0",
         kBanner + kPointsHeading + "x[0]=", "Error: expected a number for x[0], found \"+-2\"."},
        {"1 . 2 0",
         kBanner + kPointsHeading + "x[0]=", "Error: expected a number for x[0], found \".\"."},
        {"1 \x01\x7f\xff 2 0",
         kBanner + kPointsHeading + "x[0]=", "Error: expected a number for x[0], found \"???\"."},
        {"1 1 2", questions(1),
         "Error: expected the degree of the polynomial " + m_range + ", but the input ended."},
        {"1 1 2 -1", questions(1),
         "Error: expected the degree of the polynomial " + m_range + ", found \"-1\"."},
        {"1 1 2 x", questions(1),
         "Error: expected the degree of the polynomial " + m_range + ", found \"x\"."},
        {"1 1 2 99999999999999999999999999999999999999999999999999", questions(1),
         "Error: expected the degree of the polynomial " + m_range +
             ", found \"9999999999999999999999999999999999999999...\"."},
        // A count with no points behind it reserves nothing and ends like any other.
        {"2000000000 1 2 3", kBanner + kPointsHeading + "x[0]=   f(x[0])=x[1]=   f(x[1])=",
         "Error: expected a number for f(x[1]), but the input ended."},
    };
    for (const auto& c : cases) {
        const RunResult result = run(c.input);
        EXPECT_EQ(result.output, c.before + "\n" + c.message + "\n") << c.input;
        EXPECT_EQ(result.status, kBadInput) << c.input;
    }
}

TEST(FittingRun, NoFitWithTooFewDistinctAbscissas)
{
    // The report stands up to the B row; then one line instead of the coefficients.
    const RunResult two = run("2 0 1 1 2 2");
    EXPECT_EQ(two.output,
              questions(2) +
                  "tabphi(0)= 1   1   \n\ntabphi(1)= 0   1   \n\ntabphi(2)= 0   1   \n\n"
                  "tabf= 1   2   \n\nThe A matrix is\n\n2   1   1   \n\n1   1   1   \n\n"
                  "1   1   1   \n\nThe B vector is\n\nB= 3   2   2   \n\n"
                  "Error: no polynomial of degree 2 can be fitted to these points: it needs at "
                  "least 3 distinct abscissas, and there are only 2.\n");
    EXPECT_EQ(two.status, kNoFit);

    // Repeated abscissas: single precision alone would find a tiny pivot here.
    const RunResult repeated = run("3 0.1 1 0.1 2 0.1 3 1");
    EXPECT_NE(repeated.output.find("B= 6   0.6   \n\nError: no polynomial of degree 1 can be "
                                   "fitted to these points: it needs at least 2 distinct "
                                   "abscissas, and there is only 1.\n"),
              std::string::npos)
        << repeated.output;
    EXPECT_EQ(repeated.output.find("C[0]"), std::string::npos);
    EXPECT_EQ(repeated.status, kNoFit);

    // "2.5" for the degree reads 2; the .5 that is left is never read.
    EXPECT_EQ(run("1 1 2 2.5").status, kNoFit);
}

TEST(FittingRun, NoFitWhenTheEliminationFindsNoPivot)
{
    // Two distinct abscissas, but the square of 1e-30 is zero in single precision,
    // so the last stage of the elimination meets a zero pivot.
    const RunResult result = run("2 0 0 1e-30 0 1");
    EXPECT_EQ(result.output,
              questions(2) +
                  "tabphi(0)= 1   1   \n\ntabphi(1)= 0   1e-30   \n\ntabf= 0   0   \n\n"
                  "The A matrix is\n\n2   1e-30   \n\n1e-30   0   \n\nThe B vector is\n\n"
                  "B= 0   0   \n\nError: no polynomial of degree 1 can be fitted to these "
                  "points: the matrix A cannot be inverted in single precision.\n");
    EXPECT_EQ(result.status, kNoFit);
}

TEST(FittingRun, ADegreeBeyondAnyMemoryFailsCleanly)
{
    const RunResult result = run("1 1 2 2147483647");
    EXPECT_EQ(result.output, questions(1) + "\nError: there is not enough memory for this fit.\n");
    EXPECT_EQ(result.status, kOutOfMemory);
}

TEST(FittingRun, OverflowTravelsIntoTheReport)
{
    const RunResult result = run("1 1e20 0 2");
    EXPECT_NE(result.output.find("tabphi(2)= Infinity   \n"), std::string::npos);
    EXPECT_NE(result.output.find("1   1e+20   Infinity   \n\n1e+20   Infinity   Infinity   \n\n"
                                 "Infinity   Infinity   Infinity   \n\n"),
              std::string::npos);
    // 0 times infinity: the processor decides the sign of the NaN it makes.
#if defined(__x86_64__) || defined(__i386__)
    EXPECT_NE(result.output.find("B= 0   0   -NaN   \n"), std::string::npos);
#else
    EXPECT_NE(result.output.find("B= 0   0   "), std::string::npos);
#endif
}

// A stream buffer that accepts nothing, like a full disk.
class RefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(FittingRun, OutputThatCannotBeWrittenIsNotASuccess)
{
    std::istringstream in("3 0 1 1 3 2 5 1");
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    EXPECT_EQ(run_fitting(in, out), kOutputFailed);
}

}  // namespace
