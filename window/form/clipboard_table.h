#pragma once

#include <optional>
#include <string>

class QMimeData;

// The text a results table on the clipboard reads from: the plain text where it reads as a
// table and agrees with the HTML beside it (or there is none), else the HTML's largest table
// written as text, so that a table copied from a web page or a word processor pastes as it
// looks. None where the clipboard holds neither text nor a table.
std::optional<std::string> ClipboardTableText(const QMimeData* clipboard);
