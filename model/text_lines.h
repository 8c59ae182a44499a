#pragma once
// The line rules that every reader of deck list text shares: which characters are blanks at a
// line's ends, and how text held in memory falls into lines. They are the line reader's
// text-mode rules, so a list read from a file and the same list read from memory (a converted
// UTF-16 file, the clipboard, an import) have the same lines.
#include <string_view>
#include <vector>

#include "model/line_reader.h"

namespace Tarvane {

// The text without spaces, TABs, CRs and LFs at either end.
std::string_view TrimBlanks(std::string_view text);

// The lines of the text as LineReader reads them from a file: one per line feed and one for an
// unended last line, a CR before the line feed dropped, each line's text ended at a zero byte,
// and a line so cut or unended marked incomplete.
std::vector<TextLine> SplitTextLines(std::string_view text);

}  // namespace Tarvane
