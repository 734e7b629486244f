// A full 300-seat allocation on a board, and the cost of the first and the last 50 seats of it,
// which shows whether a seat turn grows dearer as the quotient lists grow; and the five methods
// compared for 300 seats, which the window computes again whenever a vote total is typed.
#include "core/board.h"
#include "core/method_comparison.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace apportion;

namespace {

constexpr int seatTotal = 300;

// Votes close enough that no party needs a 100th seat under any of the methods.
Board loadedBoard(DivisorMethod method)
{
    Board board;
    board.LoadWindow();
    board.SelectMethod(method);
    board.parties = { PartyColumn { "61000", {} }, PartyColumn { "60500", {} },
        PartyColumn { "60000", {} }, PartyColumn { "59500", {} }, PartyColumn { "59000", {} } };
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
    for (auto _ : state) {
        Board board = loadedBoard(method);
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
    for (auto _ : state) {
        Board board = loadedBoard(method);
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

void methods(benchmark::internal::Benchmark* bench)
{
    bench->ArgName("method");
    for (int method = 0; method < divisorMethodCount; ++method)
        bench->Arg(method);
}

void phases(benchmark::internal::Benchmark* bench)
{
    bench->ArgNames({ "method", "first" });
    for (int method = 0; method < divisorMethodCount; ++method) {
        bench->Args({ method, 0 });
        bench->Args({ method, seatTotal - 50 });
    }
}

} // namespace

// The five methods' final seats, indices and table for 300 seats, as a keystroke costs them.
void CompareFiveMethods(benchmark::State& state)
{
    const std::array<std::string, partyCount> votes { "61000", "60500", "60000", "59500", "59000" };
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
    const std::array<std::string, partyCount> votes { "61000", "60500", "60000", "59500", "3000" };
    for (auto _ : state) {
        const MethodComparison comparison = CompareMethods(votes, seatTotal, 4);
        benchmark::DoNotOptimize(MakeComparisonTable(comparison));
    }
}

BENCHMARK(CompareFiveMethods)->Unit(benchmark::kMicrosecond);
BENCHMARK(CompareWithQuotaAndThreshold)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
