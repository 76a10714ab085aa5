#pragma once

#include <string>
#include <vector>

namespace velmora {

// What a parameter file holds that its keys cannot read as they expect, one line per key (in
// the keys' reading order, then repeats in file order): a [Model] Integration that names no model,
// a unit or list index that is not a whole number in its range, a Yes/No key with another word, a
// section or key given twice. Reading stays as it is (the first of duplicates wins, an unknown word
// reads as the key's fallback); these lines only say so. Empty for a missing or unreadable file.
std::vector<std::string> ParameterFileWarnings(const std::string& path);

// The window's one message for them: the file's name on the first line, then the lines.
std::string ParameterFileWarningsMessage(const std::string& path,
                                         const std::vector<std::string>& warnings);

}  // namespace velmora
