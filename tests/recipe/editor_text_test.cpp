// The recipe editor's field logic: capacity rules, the block, the moves,
// sentence case, joining lines and the clipboard forms.
#include <gtest/gtest.h>

#include <random>

#include "recipe/editor_keys.h"
#include "recipe/editor_text.h"
#include "recipe/line_table.h"
#include "recipe/text_transforms.h"

namespace tovalia {
namespace {

EditorText Text(const std::string& text, int32_t wrap = 39) {
  EditorText field;
  SetUpEditorText(field, text, kEditorTextLength, kEditorLineCapacity, wrap, 0, {});
  field.visibleRows = 5;
  return field;
}

EditorText Title(const std::string& text = "") {
  EditorText field;
  SetUpEditorText(field, text, kEditorTitleLength, 1, 74, 0, {});
  return field;
}

KeyResult Type(EditorText& field, int c, bool ctrl = false) {
  InputState in;
  in.typedCharacter = c;
  in.ctrl = ctrl;
  return ApplyEditorKey(field, in);
}

KeyResult Key(EditorText& field, int code, bool ctrl = false) {
  InputState in;
  in.keyCode = code;
  in.ctrl = ctrl;
  return ApplyEditorKey(field, in);
}

TEST(EditorText, TheTitleTakesFiftyNineTypedCharactersAndNoReturn) {
  EditorText title = Title();
  for (int i = 0; i < 59; ++i) ASSERT_EQ(Type(title, 'a').outcome, EditOutcome::kChanged) << i;
  KeyResult sixtieth = Type(title, 'b');
  EXPECT_EQ(sixtieth.outcome, EditOutcome::kFull);
  EXPECT_EQ(sixtieth.request, EditorRequest::kFull);
  EXPECT_EQ(title.text, std::string(59, 'a'));
  EXPECT_EQ(Type(title, typed::kEnter).outcome, EditOutcome::kNothing);
  EXPECT_EQ(title.text.size(), 59u);
  // A longer stored title is kept whole and shown on its one row.
  EditorText imported = Title(std::string(200, 'x'));
  EXPECT_EQ(RowText(imported, 0).size(), 200u);
  EXPECT_EQ(Type(imported, 'y').outcome, EditOutcome::kFull);
}

TEST(EditorText, CapacityCountsBytesAndDisplayLines) {
  EditorText field = Text("");
  field.maxLength = 5;
  for (char c : std::string("abc")) Type(field, c);
  EXPECT_EQ(Type(field, 'd').outcome, EditOutcome::kChanged);   // 4 bytes: one below max - 1 was 3
  EXPECT_EQ(Type(field, 'e').outcome, EditOutcome::kFull);      // a character needs length < max - 1
  EXPECT_EQ(Type(field, typed::kEnter).outcome, EditOutcome::kChanged);  // a CR needs length < max
  EXPECT_EQ(field.text, "abcd\r");
  EXPECT_EQ(Type(field, typed::kEnter).outcome, EditOutcome::kFull);

  // Lines: a character needs fewer lines than the capacity, a CR fewer than
  // the capacity less one.
  EditorText lines = Text("one\rtwo\rthree");
  lines.capacity = 3;
  lines.cursor = lines.Length();
  EXPECT_EQ(Type(lines, 'x').outcome, EditOutcome::kFull);
  lines.capacity = 4;
  EXPECT_EQ(Type(lines, 'x').outcome, EditOutcome::kChanged);
  EXPECT_EQ(Type(lines, typed::kEnter).outcome, EditOutcome::kFull);
  // A full field still deletes the block the key replaces.
  lines.blockStart = 0;
  lines.blockEnd = 4;
  EXPECT_EQ(Type(lines, typed::kEnter).outcome, EditOutcome::kChanged);
  EXPECT_EQ(lines.text, "\rtwo\rthreex");
}

TEST(EditorText, TypingReplacesTheBlockAndDeletingKeysTakeItFirst) {
  EditorText field = Text("1 cup flour\r2 eggs");
  field.blockStart = 2;
  field.blockEnd = 5;
  Type(field, 'T');
  EXPECT_EQ(field.text, "1 T flour\r2 eggs");
  EXPECT_EQ(field.cursor, 3);
  field.cursor = 0;
  Key(field, key::kDelete);
  EXPECT_EQ(field.text, " T flour\r2 eggs");
  Key(field, key::kEnd);
  EXPECT_EQ(field.cursor, 8);  // before the CR
  Type(field, typed::kBackspace);
  EXPECT_EQ(field.text, " T flou\r2 eggs");
  // Ctrl+Delete takes the display line with its CR.
  field.cursor = 0;
  Key(field, key::kDelete, true);
  EXPECT_EQ(field.text, "2 eggs");
  Key(field, key::kDelete, true);
  EXPECT_EQ(field.text, "");
  EXPECT_EQ(Key(field, key::kDelete, true).outcome, EditOutcome::kNothing);
}

TEST(EditorText, SymbolKeysInsertTheirCharacters) {
  EditorText field = Text("");
  Type(field, 4, true);
  Key(field, '1', true);
  Key(field, '2', true);
  Key(field, '3', true);
  EXPECT_EQ(Key(field, '1').outcome, EditOutcome::kNothing);  // the digit itself comes as a character
  EXPECT_EQ(field.text, "\xB0\xBC\xBD\xBE");
}

TEST(EditorText, MovesFollowDisplayLinesAndWords) {
  // Wrapped at 10 characters: "beat the " / "eggs well" + CR / "" after it.
  EditorText field = Text("beat the eggs well\r", 10);
  ASSERT_EQ(RowCount(field), 3);
  EXPECT_EQ(RowText(field, 0), "beat the ");
  EXPECT_EQ(RowText(field, 1), "eggs well");
  Key(field, key::kEnd);
  EXPECT_EQ(field.cursor, 8);  // before the wrap's blank
  Key(field, key::kDown);
  EXPECT_EQ(field.cursor, 9 + 8);
  Key(field, key::kDown);
  EXPECT_EQ(field.cursor, field.Length());  // the empty row after the final CR
  EXPECT_EQ(RowOf(field, field.cursor), 2);
  Key(field, key::kUp);
  Key(field, key::kHome);
  EXPECT_EQ(field.cursor, 9);
  Key(field, key::kRight, true);
  EXPECT_EQ(field.cursor, 14);  // "well"
  Key(field, key::kLeft, true);
  Key(field, key::kLeft, true);
  EXPECT_EQ(field.cursor, 5);  // "the"
  Key(field, key::kEnd, true);
  EXPECT_EQ(field.cursor, field.Length());
  Key(field, key::kHome, true);
  EXPECT_EQ(field.cursor, 0);
  EXPECT_EQ(NextWordStart("1/2 cup", 0), 2);  // "/" is below "0": no word character
}

TEST(EditorText, PagesAndScrollingKeepTheCursorInView) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "line " + std::to_string(i) + "\r";
  EditorText field = Text(text);
  Key(field, key::kPageDown);
  EXPECT_EQ(RowOf(field, field.cursor), 5);
  EXPECT_EQ(field.firstVisible, 1);
  Key(field, key::kDown, true);  // Ctrl+Down pages too
  EXPECT_EQ(RowOf(field, field.cursor), 10);
  Key(field, key::kPageUp);
  EXPECT_EQ(RowOf(field, field.cursor), 5);
  EXPECT_EQ(field.firstVisible, 5);
}

TEST(EditorText, MarkAllAndTheCaseKeys) {
  EditorText field = Text("HELLO. WORLD? yes");
  Type(field, 1, true);
  EXPECT_TRUE(field.HasBlock());
  EXPECT_EQ(field.cursor, 0);
  EXPECT_EQ(BlockText(field), field.text);
  Type(field, 12, true);  // Ctrl+L
  EXPECT_EQ(field.text, "Hello. World? Yes");
  Type(field, 21, true);  // Ctrl+U
  EXPECT_EQ(field.text, "HELLO. WORLD? YES");
  Type(field, 1, true);
  EXPECT_FALSE(field.HasBlock());
  EXPECT_EQ(Type(field, 21, true).outcome, EditOutcome::kNothing);  // no block, nothing to change
  EXPECT_EQ(SentenceCase("cr\xE8me BR\xDBL\xC9" "E. \r\xC9" "CLAIR!\r\rdone"),
            "Cr\xE8me br\xFBl\xE9" "e. \r\xC9" "clair!\r\rDone");
}

TEST(EditorText, JoiningLinesKeepsParagraphsAndIndents) {
  EXPECT_EQ(JoinLines("beat well\rthen add"), "beat well then add");
  EXPECT_EQ(JoinLines("beat well \rthen add"), "beat well then add");  // no doubled blank
  EXPECT_EQ(JoinLines("one\r\rtwo"), "one\r\rtwo");
  EXPECT_EQ(JoinLines("one\r  indented"), "one\r  indented");
  EXPECT_EQ(JoinLines("a\rb\rc\r"), "a b c\r");
  EditorText field = Text("beat well\rthen add");
  field.cursor = 5;
  EXPECT_EQ(Type(field, 10, true).request, EditorRequest::kJoinLines);
  JoinTextLines(field);
  EXPECT_EQ(field.text, "beat well then add");
  EXPECT_EQ(field.cursor, 0);
  field.blockStart = 0;
  field.blockEnd = 2;
  EXPECT_EQ(Type(field, 10, true).request, EditorRequest::kNone);  // only without a block
}

TEST(EditorText, ClipboardFormsAndPasting) {
  EXPECT_EQ(ClipboardCopyText("a\rb\r"), "a\r\nb\r\n");
  EditorText field = Text("xy");
  field.cursor = 1;
  InsertText(field, std::string("1 cup\r\n2 eggs\0ignored", 21));
  EXPECT_EQ(field.text, "x1 cup\r2 eggsy");
  EXPECT_EQ(field.cursor, 13);
  // Cut to the room left; into the title line ends become blanks.
  field.maxLength = 16;
  InsertText(field, "abcdef");
  EXPECT_EQ(field.text, "x1 cup\r2 eggsaby");
  EditorText title = Title("Pie");
  title.cursor = 3;
  InsertText(title, " with\r\ncream");
  EXPECT_EQ(title.text, "Pie with cream");
}

TEST(EditorText, ClicksAndDragsMarkFromTheAnchor) {
  EditorText field = Text("1 cup flour\r2 eggs\r");
  PlaceCursor(field, 1, 3);
  EXPECT_EQ(field.cursor, 15);
  EXPECT_FALSE(field.HasBlock());
  ExtendBlockTo(field, 0, 2);
  EXPECT_EQ(BlockText(field), "cup flour\r2 e");
  EXPECT_EQ(field.cursor, 2);
  PlaceCursor(field, 9, 99);  // beyond the text: its last row
  EXPECT_EQ(field.cursor, field.Length());
  PlaceCursor(field, 0, 99);
  EXPECT_EQ(field.cursor, 11);  // before the CR
}

TEST(EditorText, TheEditorBreaksLinesWhereTheMeasureSays) {
  // Four pixels a character but "W" twelve: a measured line ends earlier.
  TextMeasure measure = [](std::string_view s) {
    int width = 0;
    for (char c : s) width += c == 'W' ? 12 : 4;
    return width;
  };
  EditorText field;
  SetUpEditorText(field, "WWWW aaaa aaaa", kEditorTextLength, kEditorLineCapacity, 80, 60, measure);
  ASSERT_EQ(RowCount(field), 2);
  EXPECT_EQ(RowText(field, 0), "WWWW ");
  EXPECT_EQ(RowText(field, 1), "aaaa aaaa");
}

TEST(EditorText, LinesCutAgainAfterAnEditAreTheLinesOfTheWholeText) {
  // Narrow letters and wide ones, so the measured rule and the character
  // limit both decide; random edits anywhere, compared with a fresh cut.
  TextMeasure measure = [](std::string_view s) {
    int width = 0;
    for (char c : s) width += c == 'W' ? 13 : c == 'i' ? 3 : 7;
    return width;
  };
  std::mt19937 random(14);
  const std::string alphabet = "aaaaiiiWW   \r.,";
  auto pick = [&](int n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
  for (bool measured : {false, true}) {
    EditorText field;
    std::string start;
    for (int i = 0; i < 600; ++i) start += alphabet[static_cast<size_t>(pick(static_cast<int>(alphabet.size())))];
    SetUpEditorText(field, start, 3000, kEditorLineCapacity, 20, measured ? 120 : 0,
                    measured ? measure : TextMeasure{});
    for (int step = 0; step < 400; ++step) {
      field.cursor = pick(field.Length() + 1);
      switch (pick(6)) {
        case 0: InsertCharacter(field, alphabet[static_cast<size_t>(pick(static_cast<int>(alphabet.size())))]); break;
        case 1: InsertReturn(field); break;
        case 2: Backspace(field); break;
        case 3: DeleteBlockOrDisplayLine(field); break;
        case 4: InsertText(field, std::string(static_cast<size_t>(pick(30)), 'W') + " ii\r"); break;
        case 5:
          field.blockStart = field.cursor;
          field.blockEnd = std::min(field.Length(), field.cursor + pick(40));
          if (pick(2)) {
            UpperCaseBlock(field);
          } else {
            DeleteBlock(field);
          }
          ClearBlock(field);
          break;
      }
      EditorText fresh;
      SetUpEditorText(fresh, field.text, 3000, kEditorLineCapacity, 20, measured ? 120 : 0,
                      measured ? measure : TextMeasure{});
      ASSERT_EQ(DisplayLineCount(field), DisplayLineCount(fresh)) << step;
      for (int32_t line = 0; line <= DisplayLineCount(fresh); ++line)
        ASSERT_EQ(LineStart(field.table, line), LineStart(fresh.table, line)) << "step " << step << " line " << line;
    }
  }
}

}  // namespace
}  // namespace tovalia
