// A full 300-seat allocation on a board, and the cost of the first and the last 50 seats of it,
// which shows whether a seat turn grows dearer as the quotient lists grow; and the five methods
// compared for 300 seats, which the window computes again whenever a vote total is typed. Each
// with five parties (the start) and with twelve (the most).
#include "core/allocation/board.h"
#include "core/comparison/comparison_table.h"
#include "lesson/lesson_file.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

using namespace apportion;

namespace {

constexpr int seatTotal = 300;

// Votes close enough that no party needs a 100th seat under any of the methods: 61000, 60500, …
std::vector<std::string> closeVotes(int parties)
{
    std::vector<std::string> votes;
    for (int i = 0; i < parties; ++i)
        votes.push_back(std::to_string(61000 - 500 * i));
    return votes;
}

Board loadedBoard(DivisorMethod method, int parties)
{
    Board board;
    board.LoadWindow();
    board.SelectMethod(method);
    board.parties.clear();
    for (const auto& votes : closeVotes(parties))
        board.parties.push_back({ votes, {}, {} });
    board.seatSelection = seatTotal - 1;
    return board;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times EnterVotes and the 300 seat turns; building the loaded board is left out.
void FullAllocation(benchmark::State& state)
{
    const auto method = static_cast<DivisorMethod>(state.range(0));
    const auto parties = static_cast<int>(state.range(1));
    for (auto _ : state) {
        Board board = loadedBoard(method, parties);
        const auto start = std::chrono::steady_clock::now();
        board.EnterVotes();
        for (int seat = 0; seat < seatTotal; ++seat)
            board.GiveNextSeat();
        state.SetIterationTime(secondsSince(start));
        if (board.seatsGiven != seatTotal)
            state.SkipWithError("the allocation stopped short of 300 seats");
        benchmark::DoNotOptimize(board);
    }
}

// Times only the 50 seats from `first` on; the seats before them are given untimed.
void FiftySeats(benchmark::State& state)
{
    const auto method = static_cast<DivisorMethod>(state.range(0));
    const auto first = static_cast<int>(state.range(1));
    const auto parties = static_cast<int>(state.range(2));
    for (auto _ : state) {
        Board board = loadedBoard(method, parties);
        board.EnterVotes();
        for (int seat = 0; seat < first; ++seat)
            board.GiveNextSeat();
        const auto start = std::chrono::steady_clock::now();
        for (int seat = 0; seat < 50; ++seat)
            board.GiveNextSeat();
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(board);
    }
}

constexpr int partyCounts[] = { defaultPartyCount, maxPartyCount };

void methods(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({ "method", "parties" });
    for (const int parties : partyCounts) {
        for (int method = 0; method < divisorMethodCount; ++method)
            bench->Args({ method, parties });
    }
}

void phases(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({ "method", "first", "parties" });
    for (const int parties : partyCounts) {
        for (int method = 0; method < divisorMethodCount; ++method) {
            bench->Args({ method, 0, parties });
            bench->Args({ method, seatTotal - 50, parties });
        }
    }
}

void partyCountsOnly(benchmark::internal::Benchmark* bench)
{
    bench->ArgName("parties");
    for (const int parties : partyCounts)
        bench->Arg(parties);
}

} // namespace

// The five methods' final seats, indices and table for 300 seats, as a keystroke costs them.
void CompareFiveMethods(benchmark::State& state)
{
    const std::vector<std::string> votes = closeVotes(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const MethodComparison comparison = CompareMethods(votes, seatTotal);
        benchmark::DoNotOptimize(MakeComparisonTable(comparison));
    }
}

BENCHMARK(FullAllocation)->Apply(methods)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(FiftySeats)->Apply(phases)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The whole comparison as the window computes it with a threshold: the five divisor methods,
// Hare–Niemeyer with its working and the Alabama check (a second Hare–Niemeyer one seat fewer).
void CompareWithQuotaAndThreshold(benchmark::State& state)
{
    // The last party under the threshold.
    std::vector<std::string> votes = closeVotes(static_cast<int>(state.range(0)));
    votes.back() = "1000";
    for (auto _ : state) {
        const MethodComparison comparison
            = CompareMethods(votes, seatTotal, VoteCount { 4, 99453 });
        benchmark::DoNotOptimize(MakeComparisonTable(comparison));
    }
}

// The same with vote texts of twenty-five digits, ten of them decimals: the quota method and the
// threshold worked exactly in numbers wider than any machine word.
void CompareLongVotesExactly(benchmark::State& state)
{
    std::vector<std::string> votes = closeVotes(static_cast<int>(state.range(0)));
    for (auto& text : votes)
        text += "0000000000.1234567891";
    votes.back() = "1000";
    for (auto _ : state) {
        const MethodComparison comparison
            = CompareMethods(votes, seatTotal, VoteCount { 4, 99453 });
        benchmark::DoNotOptimize(MakeComparisonTable(comparison));
    }
}

BENCHMARK(CompareFiveMethods)->Apply(partyCountsOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(CompareWithQuotaAndThreshold)->Apply(partyCountsOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(CompareLongVotesExactly)->Apply(partyCountsOnly)->Unit(benchmark::kMicrosecond);

// A 300-seat lesson saved (written) and opened (read, and its seats given again on a board).
Lesson fullLesson(int parties)
{
    Lesson lesson;
    for (const auto& votes : closeVotes(parties))
        lesson.parties.push_back({ "Партия с име", votes });
    lesson.seatTotal = seatTotal;
    lesson.seatsGiven = seatTotal;
    return lesson;
}

void SaveLesson(benchmark::State& state)
{
    const Lesson lesson = fullLesson(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteLesson(lesson));
}

void OpenLesson(benchmark::State& state)
{
    const std::string text = WriteLesson(fullLesson(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(BoardOf(*ReadLesson(text).lesson));
}

BENCHMARK(SaveLesson)->Apply(partyCountsOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenLesson)->Apply(partyCountsOnly)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
