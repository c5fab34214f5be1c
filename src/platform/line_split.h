// The program's one line rule: CR LF, a lone CR and a lone LF each end a line; a NUL ends the text.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Splits text into lines. The end of the text ends the last line; a break at the very end starts no
// further, empty line; a NUL byte ends the whole text. An empty text (or one starting with NUL) has no line.
std::vector<std::string> SplitLines(std::string_view text);

// The same rule without copying: calls line() with a view of each line, in order, and returns how many
// lines there were. The editor's row store loads its rows through this.
std::size_t ForEachLine(std::string_view text, const std::function<void(std::string_view line)>& line);

// Joins lines, each followed by CR LF (the form every file of the program is written in).
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

}  // namespace platform
