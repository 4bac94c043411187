// The input is a file of an earlier installation: a registry export, a
// shortcut or a spell-check word list. None may crash its reader, and what
// the readers give back must be what the bytes hold.
#include <cstdint>
#include <string>
#include <string_view>

#include "db/cp1252.h"
#include "fuzz_support.h"
#include "spell/spell_entries.h"
#include "upgrade/registry_file.h"
#include "upgrade/shortcut_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovalia;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  for (const std::string& value :
       ReadRegistryValues(bytes, {"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tovalia_is1"},
                          "UninstallString"))
    FUZZ_CHECK(value.size() <= size);

  const std::string program = ProgramPathInShortcut(bytes);
  if (!program.empty()) {
    FUZZ_CHECK(program.size() >= 14 && program[1] == ':');
    FUZZ_CHECK(UpperCase(program.substr(program.size() - 12)) == "\\TOVALIA.EXE");
  }

  // The entries read back are the image's own bytes, written out again.
  std::string rewritten;
  for (const SpellEntry& entry : ParseSpellEntries(bytes)) FUZZ_CHECK(AppendSpellEntry(rewritten, entry));
  FUZZ_CHECK(bytes.substr(0, rewritten.size()) == rewritten);
  return 0;
}
