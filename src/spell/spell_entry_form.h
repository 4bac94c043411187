// What the dictionary's add/edit form does with the two texts the user
// typed, apart from the form itself.
#pragma once

#include <string>

namespace tovalia {

// Lower-cases and trims both texts; a replacement equal to the word becomes
// empty. Returns the error line to show under the form's caption, or an
// empty text when the word may be saved.
std::string TidySpellEntry(std::string& word, std::string& replacement);

}  // namespace tovalia
