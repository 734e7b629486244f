#include "window/form/clipboard_table.h"

#include "core/allocation/board.h"
#include "core/input/html_table.h"
#include "core/input/results_table.h"

#include <QMimeData>

using namespace apportion;

namespace {

bool sameParties(const std::optional<ResultsTable>& a, const std::optional<ResultsTable>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    if (a->parties.size() != b->parties.size())
        return false;
    for (std::size_t i = 0; i < a->parties.size(); ++i) {
        if (a->parties[i].name != b->parties[i].name || a->parties[i].votes != b->parties[i].votes)
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> ClipboardTableText(const QMimeData* clipboard)
{
    if (!clipboard)
        return std::nullopt;
    const std::string text = clipboard->hasText() ? clipboard->text().toStdString() : std::string();
    const std::optional<std::string> html
        = clipboard->hasHtml() ? HtmlTableText(clipboard->html().toStdString()) : std::nullopt;
    if (!html)
        return text.empty() ? std::nullopt : std::optional(text);
    if (text.empty())
        return html;
    const auto fromText = ReadResultsTable(text, maxPartyCount);
    const auto fromHtml = ReadResultsTable(*html, maxPartyCount);
    // A page's text flattens what its table holds (spanned headings, cells with line breaks):
    // where the two disagree, the table is what the user saw.
    return fromHtml && !sameParties(fromText, fromHtml) ? html : std::optional(text);
}
