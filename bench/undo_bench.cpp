// The undo history of a 300-seat allocation: the memory it holds (every allocation is counted
// while the history is built) and the time to undo and to redo one seat.
#include "core/allocation/undo_history.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <new>

using namespace apportion;

namespace {

// Live heap bytes, as glibc reports each block's usable size.
long long liveBytes = 0;

} // namespace

void* operator new(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block)
        throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(block));
    return block;
}

void operator delete(void* block) noexcept
{
    if (block)
        liveBytes -= static_cast<long long>(malloc_usable_size(block));
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

constexpr int seatTotal = 300;

Board loadedBoard()
{
    Board board;
    board.LoadWindow();
    board.parties = { PartyColumn { "61000", {}, {} }, PartyColumn { "60500", {}, {} },
        PartyColumn { "60000", {}, {} }, PartyColumn { "59500", {}, {} },
        PartyColumn { "59000", {}, {} } };
    board.seatSelection = seatTotal - 1;
    return board;
}

// What the history of 300 seats holds beyond the board it leaves: the same allocation is made
// with and without it, and the live bytes compared.
void HistoryMemory(benchmark::State& state)
{
    for (auto _ : state) {
        const long long start = liveBytes;
        long long withoutHistory = 0;
        {
            Board board = loadedBoard();
            board.EnterVotes();
            for (int seat = 0; seat < seatTotal; ++seat)
                board.GiveNextSeat();
            withoutHistory = liveBytes - start;
        }
        Board board = loadedBoard();
        auto* history = new UndoHistory;
        history->EnterVotes(board);
        for (int seat = 0; seat < seatTotal; ++seat)
            history->GiveNextSeat(board);
        state.counters["history_bytes"] = static_cast<double>(liveBytes - start - withoutHistory);
        delete history;
    }
}

void UndoRedoOneSeat(benchmark::State& state)
{
    Board board = loadedBoard();
    UndoHistory history;
    history.EnterVotes(board);
    for (int seat = 0; seat < seatTotal; ++seat)
        history.GiveNextSeat(board);
    for (auto _ : state) {
        history.Undo(board);
        history.Redo(board);
        benchmark::DoNotOptimize(board);
    }
    state.counters["per_undo_or_redo"]
        = benchmark::Counter(static_cast<double>(state.iterations()) * 2,
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(HistoryMemory)->Iterations(5);
BENCHMARK(UndoRedoOneSeat)->Unit(benchmark::kNanosecond);

BENCHMARK_MAIN();
