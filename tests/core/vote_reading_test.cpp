#include "core/allocation/undo_history.h"
#include "core/comparison/method_comparison.h"
#include "core/numbers/number_text.h"
#include "core/numbers/vote_reading.h"
#include "core/teaching/action_report.h"
#include "core/teaching/worked_table.h"

#include <gtest/gtest.h>

#include <functional>

using namespace apportion;

namespace {

std::vector<std::string_view> views(const std::vector<std::string>& texts)
{
    return { texts.begin(), texts.end() };
}

} // namespace

// Bringing a reading up to new texts reads only the texts that changed, and leaves it what the
// new texts read afresh: totals at the new smallest decimal included.
struct UpdateCase {
    const char* name;
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::size_t reads;
};

class UpdateVotesTest : public testing::TestWithParam<UpdateCase> { };

TEST_P(UpdateVotesTest, ReadsOnlyTheChangedTexts)
{
    const UpdateCase& c = GetParam();
    VoteReading reading = ReadVotes(c.before);
    EXPECT_EQ(UpdateVotes(reading, views(c.after)), c.reads);
    EXPECT_EQ(reading, ReadVotes(c.after));
}

INSTANTIATE_TEST_SUITE_P(Changes, UpdateVotesTest,
    testing::Values(UpdateCase { "Unchanged", { "100", "200" }, { "100", "200" }, 0 },
        UpdateCase {
            "OneDigitTyped", { "58125", "45871", "27142" }, { "58125", "458719", "27142" }, 1 },
        UpdateCase { "DecimalChangesTheUnits", { "1", "2" }, { "1", "2.25" }, 1 },
        UpdateCase { "DecimalRemoved", { "1.5", "2" }, { "15", "2" }, 1 },
        UpdateCase { "PartyAddedEmpty", { "1", "2" }, { "1", "2", "" }, 0 },
        UpdateCase { "PartyAddedWithVotes", { "1", "2" }, { "1", "2", "7" }, 1 },
        UpdateCase { "PartyRemovedTakesItsDecimal", { "1", "2", "3.5" }, { "1", "2" }, 0 },
        UpdateCase { "Emptied", { "1", "-2" }, { "", "" }, 2 }),
    [](const auto& param) { return std::string(param.param.name); });

// The board's totals follow its vote texts however they change: a consumer after the change
// sees the new votes, never the ones read before it.
struct FollowCase {
    const char* name;
    std::function<void(Board&, UndoHistory&)> change;
    std::vector<double> votes;
};

class BoardVotesTest : public testing::TestWithParam<FollowCase> { };

TEST_P(BoardVotesTest, FollowTheTexts)
{
    const FollowCase& c = GetParam();
    Board board;
    board.LoadWindow();
    UndoHistory history;
    EXPECT_EQ(
        CompareMethods(board).votes, (std::vector<double> { 58125, 45871, 27142, 15947, 12264 }));
    c.change(board, history);
    EXPECT_EQ(CompareMethods(board).votes, c.votes);
    EXPECT_EQ(board.Votes(), ReadVotes(VoteTexts(board.parties)));
}

INSTANTIATE_TEST_SUITE_P(Changes, BoardVotesTest,
    testing::Values(
        FollowCase { "Typed", [](Board& board, UndoHistory&) { board.parties[1].entryText += "9"; },
            { 58125, 458719, 27142, 15947, 12264 } },
        FollowCase { "Filled",
            [](Board& board, UndoHistory& history) {
                history.FillParties(board, 3, { { "А", "1 000" }, { "Б", "2.5" } });
            },
            { 58125, 45871, 27142, 1000, 2.5 } },
        FollowCase { "FillUndone",
            [](Board& board, UndoHistory& history) {
                history.FillParties(board, 0, { { "А", "7" }, { "Б", "8" } });
                board.Votes();
                history.Undo(board);
            },
            { 58125, 45871, 27142, 15947, 12264 } },
        FollowCase { "PartyAddedAndFilled",
            [](Board& board, UndoHistory& history) {
                history.AddParty(board);
                board.Votes();
                board.parties[5].entryText = "300";
            },
            { 58125, 45871, 27142, 15947, 12264, 300 } },
        FollowCase { "PartyRemoved",
            [](Board& board, UndoHistory& history) { history.RemoveLastParty(board); },
            { 58125, 45871, 27142, 15947 } },
        FollowCase { "EnteredAndCleared",
            [](Board& board, UndoHistory& history) {
                history.EnterVotes(board);
                board.Votes();
                history.ClearAll(board);
            },
            { 0, 0, 0, 0, 0 } },
        FollowCase { "NewExample",
            [](Board& board, UndoHistory&) {
                board.EnterVotes();
                board.Votes();
                board.StartNewExample({ "10", "20" });
            },
            { 10, 20, 0, 0, 0 } }),
    [](const auto& param) { return std::string(param.param.name); });

// A change reads each changed vote text once, whatever reads the votes after it (the comparison,
// the threshold, the parties taking part, the worked table and the report): what they read
// besides does not grow with the parties, and no unchanged text is read again.
struct KeystrokeCase {
    const char* name;
    int parties;
    int changed;
};

class ChangeReadsTest : public testing::TestWithParam<KeystrokeCase> { };

std::uint64_t readsAfterChanging(int parties, int changed)
{
    Board board;
    board.LoadWindow();
    std::vector<Board::PartyFill> fill;
    for (int i = 0; i < parties; ++i)
        fill.push_back({ {}, std::to_string(1000 + 37 * i) });
    board.FillParties(0, fill);
    board.SetVoteCount({ 4.0, 100 });
    const auto readEverything = [&board] {
        CompareMethods(board);
        DrawThresholdLine(board.Votes().totals, board.voteCount);
        board.TakingPart();
        MakeWorkedTable(board);
        ReportVotesEntered(board);
    };
    readEverything();
    for (int i = 0; i < changed; ++i)
        board.parties[static_cast<std::size_t>(i)].entryText += "5";
    const std::uint64_t before = NumberTextsScanned();
    readEverything();
    return NumberTextsScanned() - before;
}

TEST_P(ChangeReadsTest, ReadEachChangedTextOnce)
{
    const KeystrokeCase& c = GetParam();
    const std::uint64_t besides = readsAfterChanging(minPartyCount, 0);
    EXPECT_EQ(readsAfterChanging(c.parties, c.changed), besides + c.changed);
}

INSTANTIATE_TEST_SUITE_P(Keystrokes, ChangeReadsTest,
    testing::Values(KeystrokeCase { "NoneOfTwelve", maxPartyCount, 0 },
        KeystrokeCase { "OneOfFive", defaultPartyCount, 1 },
        KeystrokeCase { "OneOfTwelve", maxPartyCount, 1 },
        KeystrokeCase { "AllTwelve", maxPartyCount, maxPartyCount }),
    [](const auto& param) { return std::string(param.param.name); });
