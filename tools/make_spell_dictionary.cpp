// make_spell_dictionary OUTPUT LIST...: writes the starter Spell54.dat from
// word lists (see ReadWordList). A word in a later list replaces the same
// word of an earlier one, so the "watch for" list, given last, wins.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "db/data_file.h"
#include "spell/spell_dictionary.h"
#include "spell/starter_dictionary.h"

int main(int argc, char** argv) {
  using namespace tovalia;
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_spell_dictionary OUTPUT LIST...\n");
    return 2;
  }
  std::vector<SpellEntry> all;
  for (int i = 2; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "make_spell_dictionary: cannot read %s\n", argv[i]);
      return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    WordListReading reading = ReadWordList(text);
    std::fprintf(stderr, "%s: %zu words, %d left out\n", argv[i], reading.entries.size(), reading.refused);
    all.insert(all.end(), reading.entries.begin(), reading.entries.end());
  }
  const std::string image = BuildSpellImage(std::move(all));
  if (!ReplaceFileContents(argv[1], image.data(), image.size())) {
    std::fprintf(stderr, "make_spell_dictionary: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
