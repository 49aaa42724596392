#pragma once

#include <string>
#include <string_view>

// The character starting at byte i of a name, case-folded (Unicode simple
// folding); a byte that does not begin a valid UTF-8 sequence stands for
// itself as its lone-surrogate escape (U+DC00 + byte). Advances i past it.
char32_t NextFoldedChar(std::string_view s, size_t& i);

// Orders file names the way people read them: case-insensitively (Unicode
// case folding), with runs of digits compared as numbers ("file2" before
// "file10"). Names that differ only in case or leading zeros are still told
// apart by their bytes, so two different files never compare equal.
// Bytes that are not UTF-8 order as their lone-surrogate escapes.
int NaturalCompare(std::string_view a, std::string_view b);

// Appends to `key` bytes that order as NaturalCompare orders the names: two
// keys compared as strings of unsigned bytes give NaturalCompare's sign. For
// sorting many names, where each name is encoded once and the comparisons
// become plain byte comparisons.
void AppendNaturalSortKey(std::string_view name, std::string& key);
