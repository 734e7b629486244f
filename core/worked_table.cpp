#include "core/worked_table.h"

#include "core/explanation.h"
#include "core/number_text.h"

namespace apportion {

WorkedTable MakeWorkedTable(const Board& board, double threshold)
{
    WorkedTable table;
    table.seatTotal = FormatShortest(board.SeatTotal());
    const auto typed = VoteTexts(board.parties);
    for (int i = 0; i < partyCount; ++i) {
        table.votes[i] = FormatShortest(ParseNumber(typed[i]));
        const std::string reading = ReadingOf(typed[i]);
        if (!reading.empty())
            table.readings.push_back("Партия " + std::to_string(i + 1) + ": " + reading);
    }

    // Seat k was competed for by every party's row k.
    for (std::size_t s = 0; s < board.seatHistory.size(); ++s) {
        const SeatRecord& record = board.seatHistory[s];
        const std::size_t competing = s + 1;
        WorkedTable::Row row { std::to_string(record.seat), MethodCaption(record.method),
            std::to_string(record.winner + 1), FormatShortest(record.won.votes),
            record.won.divisorText, ApproximateText(record.won.unrounded), {}, {}, {} };
        for (int i = 0; i < partyCount; ++i) {
            const auto& rows = board.parties[i].rows;
            if (competing >= rows.size())
                continue;
            const RowMark mark = MarkOfRow(board, i, competing);
            row.quotients[i]
                = { FormatShortest(ParseNumber(rows[competing])), mark.seat != 0, mark.tie };
        }
        row.quotient = row.quotients[static_cast<std::size_t>(record.winner)].text;
        if (!record.tie.empty())
            row.tied = PartiesNamed(PartiesOf(record.tie));
        table.seats[static_cast<std::size_t>(record.winner)] += 1;
        table.rows.push_back(std::move(row));
    }
    table.comparison = MakeComparisonTable(CompareMethods(board, threshold));
    return table;
}

} // namespace apportion
