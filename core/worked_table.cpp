#include "core/worked_table.h"

#include "core/number_text.h"

namespace apportion {

std::string MethodCaption(DivisorMethod method)
{
    switch (method) {
    case DivisorMethod::DHondt:
        return "D’Hondt";
    case DivisorMethod::SainteLague:
        return "Sainte-Lague";
    case DivisorMethod::Danish:
        return "Danish";
    case DivisorMethod::Imperali:
        return "Imperali";
    case DivisorMethod::EqualProportions:
        return "Equal proportions";
    }
    return {};
}

WorkedTable MakeWorkedTable(const Board& board)
{
    WorkedTable table;
    if (board.method)
        table.method = MethodCaption(*board.method);
    table.seatTotal = FormatShortest(board.SeatTotal());
    for (int i = 0; i < partyCount; ++i) {
        const auto& rows = board.parties[i].rows;
        table.votes[i] = rows.empty() ? board.parties[i].entryText : rows.front();
    }

    // Seat rows stand after each column's vote total and first quotient.
    constexpr std::size_t firstSeatRow = 2;
    for (std::size_t s = 0; s < board.seatHistory.size(); ++s) {
        const SeatRecord& record = board.seatHistory[s];
        WorkedTable::Row row { std::to_string(record.seat), std::to_string(record.winner + 1),
            record.divisorText, {} };
        for (int i = 0; i < partyCount; ++i) {
            const auto& rows = board.parties[i].rows;
            if (firstSeatRow + s < rows.size())
                row.quotients[i] = rows[firstSeatRow + s];
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace apportion
