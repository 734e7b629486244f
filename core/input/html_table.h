#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace apportion {

// The largest table (the one with the most rows) in an HTML text, as a web browser, a word
// processor or a spreadsheet puts it on the clipboard, written as a results block is pasted as
// text: cells separated by tabs, rows by line breaks. A header cell spanning several columns
// stands over each of them; a data cell spanning several is followed by empty ones. Markup
// inside a cell is dropped, line breaks and paragraphs in it become blanks, runs of blanks one,
// and character references are decoded ("&nbsp;" a no-break space). A table inside a cell is
// read as that cell's text. None where the HTML holds no table row.
std::optional<std::string> HtmlTableText(std::string_view html);

} // namespace apportion
