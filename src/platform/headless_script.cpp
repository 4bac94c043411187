#include "platform/headless_script.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <sstream>

#include "db/cp1252.h"
#include "platform/input_state.h"

namespace tovalia {

namespace {

struct KeyName {
  int code;
  bool typed;
};

const std::map<std::string, KeyName>& KeyNames() {
  static const std::map<std::string, KeyName> names = [] {
    std::map<std::string, KeyName> m = {
        {"Left", {key::kLeft, false}},       {"Right", {key::kRight, false}},
        {"Up", {key::kUp, false}},           {"Down", {key::kDown, false}},
        {"Insert", {key::kInsert, false}},   {"Delete", {key::kDelete, false}},
        {"Home", {key::kHome, false}},       {"End", {key::kEnd, false}},
        {"PageUp", {key::kPageUp, false}},   {"PageDown", {key::kPageDown, false}},
        {"Enter", {typed::kEnter, true}},    {"Escape", {typed::kEscape, true}},
        {"Tab", {typed::kTab, true}},        {"Backspace", {typed::kBackspace, true}},
        {"Space", {' ', true}},
    };
    for (int f = 1; f <= 12; ++f) m["F" + std::to_string(f)] = {f, false};
    return m;
  }();
  return names;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      char next = text[++i];
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool ParseNumbers(std::istringstream& in, size_t count, std::vector<int>& numbers) {
  for (size_t i = 0; i < count; ++i) {
    std::string word;
    if (!(in >> word)) return false;
    char* end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || value < -100000 || value > 100000) return false;
    numbers.push_back(static_cast<int>(value));
  }
  std::string rest;
  return !(in >> rest);
}

}  // namespace

bool ParseScript(const std::string& source, std::vector<ScriptCommand>& commands,
                 std::string& error) {
  using Kind = ScriptCommand::Kind;
  std::istringstream lines(source);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    line = line.substr(start);
    size_t space = line.find(' ');
    std::string word = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    std::istringstream in(rest);
    ScriptCommand c{Kind::kQuit, number, {}, {}, {}, false};
    bool ok = true;
    if (word == "click" || word == "rclick" || word == "shift+click") {
      c.kind = word == "rclick" ? Kind::kRightClick : Kind::kClick;
      c.shift = word == "shift+click";
      ok = ParseNumbers(in, 2, c.numbers);
    } else if (word == "move") {
      c.kind = Kind::kMove;
      ok = ParseNumbers(in, 2, c.numbers);
    } else if (word == "drag") {
      c.kind = Kind::kDrag;
      ok = ParseNumbers(in, 4, c.numbers);
    } else if (word == "wheel" || word == "wait") {
      c.kind = word == "wheel" ? Kind::kWheel : Kind::kWait;
      ok = ParseNumbers(in, 1, c.numbers) && (c.kind == Kind::kWheel || c.numbers[0] >= 0);
    } else if (word == "window") {
      c.kind = Kind::kWindow;
      ok = ParseNumbers(in, 4, c.numbers);
    } else if (word == "hold") {
      c.kind = Kind::kHold;
      ok = ParseNumbers(in, 3, c.numbers) && c.numbers[2] >= 0;
    } else if (word == "key" || word == "repeat") {
      c.kind = Kind::kKey;
      c.repeat = word == "repeat";
      // "key ctrl+Down": the key with Ctrl held.
      if (rest.rfind("ctrl+", 0) == 0) {
        c.ctrl = true;
        rest = rest.substr(5);
      }
      auto found = KeyNames().find(rest);
      ok = found != KeyNames().end();
      if (ok) {
        c.numbers.push_back(found->second.code);
        c.typedKey = found->second.typed;
      }
    } else if (word.rfind("ctrl+", 0) == 0 && rest.empty() && KeyNames().count(word.substr(5)) &&
               !KeyNames().at(word.substr(5)).typed) {
      c.kind = Kind::kKey;
      c.ctrl = true;
      c.numbers.push_back(KeyNames().at(word.substr(5)).code);
    } else if (word.rfind("ctrl+", 0) == 0 && word.size() == 6 && rest.empty() &&
               std::isalpha(static_cast<unsigned char>(word[5]))) {
      c.kind = Kind::kCtrl;
      c.typedKey = true;
      c.numbers.push_back(std::toupper(static_cast<unsigned char>(word[5])) & 0x1F);
    } else if (word.rfind("ctrl+", 0) == 0 && rest.empty()) {
      // Ctrl with a digit key (its code is the digit), or Ctrl+Enter.
      const std::string name = word.substr(5);
      c.kind = Kind::kCtrl;
      if (name == "1" || name == "2" || name == "3") {
        c.numbers.push_back(name[0]);
      } else if (name == "Enter") {
        c.typedKey = true;
        c.numbers.push_back(typed::kCtrlEnter);
      } else {
        ok = false;
      }
    } else if (word == "clipboard-data" || word == "clipboard-save") {
      c.kind = word == "clipboard-data" ? Kind::kClipboardData : Kind::kClipboardSave;
      in >> c.type;
      std::getline(in >> std::ws, c.text);
      ok = !c.type.empty() && !c.text.empty();
    } else if (word == "type" || word == "clipboard") {
      c.kind = word == "type" ? Kind::kType : Kind::kClipboard;
      c.text = Utf8ToCp1252(Unescape(rest));
      ok = c.kind == Kind::kClipboard || !c.text.empty();
    } else if (word == "press" || word == "expect" || word == "absent") {
      c.kind = word == "press" ? Kind::kPress : word == "expect" ? Kind::kExpect : Kind::kAbsent;
      c.text = Utf8ToCp1252(rest);
      ok = !c.text.empty();
    } else if (word == "snapshot" || word == "texts" || word == "buttons" || word == "saveclipboard") {
      c.kind = word == "snapshot" ? Kind::kSnapshot
               : word == "texts"  ? Kind::kTexts
               : word == "buttons" ? Kind::kButtons
                                   : Kind::kSaveClipboard;
      c.text = rest;
      ok = !rest.empty();
    } else if (word == "noclipboard") {
      c.kind = Kind::kNoClipboard;
      ok = rest.empty();
    } else if (word == "helpers") {
      c.kind = Kind::kHelpers;
      ok = rest == "missing" || rest == "present";
      c.numbers.push_back(rest == "present" ? 1 : 0);
    } else if (word == "quit") {
      c.kind = Kind::kQuit;
      ok = rest.empty();
    } else {
      ok = false;
    }
    if (!ok) {
      error = "script line " + std::to_string(number) + " is not understood: " + line;
      return false;
    }
    commands.push_back(std::move(c));
  }
  return true;
}

}  // namespace tovalia
