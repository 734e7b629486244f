#include "core/teaching/worked_table.h"

#include "core/numbers/number_text.h"
#include "core/teaching/explanation.h"

namespace apportion {

WorkedTable MakeWorkedTable(const Board& board)
{
    WorkedTable table;
    table.title = board.title;
    table.source = board.source;
    table.seatTotal = FormatShortest(board.SeatTotal());
    const VoteReading& typed = board.Votes();
    const PartyNames names = NamesOf(board.parties);
    const auto count = static_cast<std::size_t>(board.parties.size());
    for (std::size_t i = 0; i < count; ++i) {
        table.headings.push_back(PartyHeading(names, static_cast<int>(i)));
        table.votes.push_back(FormatShortest(typed.values[i]));
        const std::string reading = ReadingOf(typed.texts[i], typed.values[i]);
        if (!reading.empty())
            table.readings.push_back(table.headings.back() + ": " + reading);
    }
    table.seats.assign(board.parties.size(), 0);

    // Seat k was competed for by every party's row k.
    for (std::size_t s = 0; s < board.seatHistory.size(); ++s) {
        const SeatRecord& record = board.seatHistory[s];
        const std::size_t competing = s + 1;
        WorkedTable::Row row { std::to_string(record.seat), MethodCaption(record.method),
            names[static_cast<std::size_t>(record.winner)].empty()
                ? std::to_string(record.winner + 1)
                : names[static_cast<std::size_t>(record.winner)],
            FormatShortest(record.won.votes), record.won.divisorText,
            ApproximateText(record.won.unrounded), {}, {}, {} };
        row.quotients.resize(board.parties.size());
        for (std::size_t i = 0; i < count; ++i) {
            const auto& rows = board.parties[i].rows;
            if (competing >= rows.size())
                continue;
            const RowMark mark = MarkOfRow(board, static_cast<int>(i), competing);
            row.quotients[i]
                = { FormatShortest(ParseNumber(rows[competing])), mark.seat != 0, mark.tie };
        }
        row.quotient = row.quotients[static_cast<std::size_t>(record.winner)].text;
        if (!record.tie.empty())
            row.tied = PartiesNamed(names, PartiesOf(record.tie));
        table.seats[static_cast<std::size_t>(record.winner)] += 1;
        table.rows.push_back(std::move(row));
    }
    table.comparison = MakeComparisonTable(CompareMethods(board));
    return table;
}

} // namespace apportion
