// The measures of how faithfully a recipe arrived: the share of the
// source's content words found again in the stored recipe, and stored
// ingredient lines that hold two ingredients.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tovalia::fidelity {

// Words of three letters or more (CP1252 letters), lower-cased, counted;
// unit words are left out.
std::map<std::string, int> ContentWords(const std::vector<std::string>& lines);

struct WordShare {
  int sourceWords = 0;
  int keptWords = 0;  // source words found again, each as often as the source has it at most
};

WordShare CompareWords(const std::map<std::string, int>& source, const std::map<std::string, int>& stored);

// True when a stored ingredient line holds a second ingredient after its
// own: an amount, an optional unit word and a capitalised word, outside
// brackets, after the line's first three words, not joined to the word
// before it ("plus", "to", a comma), and not written so in the source
// (where the word before it and the amount stand one blank apart).
bool HoldsTwoIngredients(const std::string& line, const std::vector<std::string>& sourceLines);

}  // namespace tovalia::fidelity
