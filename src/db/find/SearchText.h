// What the search compares: text brought to one spelling (full-width forms
// to ASCII, the multiplication signs to x, dashes to '-'), and the standard
// numbers named in a text, whatever way they are written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qzdbs::find {

// Full-width ASCII forms and the ideographic space become ASCII, "×", "✕"
// and '*' become 'x', the typographic dashes '-'. Letter case is kept, and so
// is every other character; ASCII changes keep the byte length of nothing
// else, so callers fold first and then work on the result.
std::string FoldSearchText(std::string_view text);

// ASCII letters to lower case (other bytes unchanged, so offsets stay).
std::string LowerAscii(std::string_view text);

// `text` without ASCII blanks.
std::string WithoutBlanks(std::string_view text);

// One standard number found in a text: its family ("gb" for GB, GB/T and
// GB/Z; "jb", "iso", "din", "en") and number with any part number
// ("5782", "70.1", "7093-1"), the edition dropped. `begin`/`end` are the
// bytes of the text it was read from.
struct StandardMention {
  std::string key;  // "gb 5782"
  size_t begin = 0;
  size_t end = 0;
};

// Every standard number in folded, lower-case text: "gb/t 5782", "gb5782",
// "gb 5782-2016", "iso4014:2011", "din 933", "en 1092-1".
std::vector<StandardMention> FindStandards(std::string_view lower);

// The number of a standard key ("gb 70.1" gives "70.1").
std::string_view StandardNumber(std::string_view key);

}  // namespace qzdbs::find
