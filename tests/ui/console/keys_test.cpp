#include <gtest/gtest.h>

#include <string>

#include "ui/console/keys.h"

namespace {

using ui::console::Decode;
using ui::LineKey;
using Kind = ui::console::Input::Kind;
using ui::Key;

// What terminals send, each read whole into the input it means: xterm's and its followers' forms,
// CSI u, SS3, rxvt's and a vt100's, the mouse, a paste's marks, and what types nothing.
TEST(KeyTable, ReadsEveryFormTerminalsSend) {
  struct Case {
    std::u32string sent;
    Kind kind;
    Key key = Key::kTab;
    unsigned modifiers = 0;
    LineKey edit = LineKey::kHome;
    char32_t character = 0;
    ui::Point at = {};
  };
  const auto key = [](std::u32string sent, Key key, unsigned modifiers = 0) {
    return Case{sent, Kind::kKey, key, modifiers};
  };
  const auto edit = [](std::u32string sent, LineKey edit) { return Case{sent, Kind::kEdit, Key::kTab, 0, edit}; };
  const auto mouse = [](std::u32string sent, Kind kind, int x, int y) {
    return Case{sent, kind, Key::kTab, 0, LineKey::kHome, 0, {x, y}};
  };
  const Case cases[] = {
      // Typed alone: the keys the windows use, their control characters, text.
      key(U"\t", Key::kTab), key(U"\r", Key::kEnter), key(U"\n", Key::kEnter), key(U" ", Key::kSpace),
      key(U"\x17", Key::kW, ui::kCtrl), edit(U"\x7f", LineKey::kBackspace), edit(U"\b", LineKey::kBackspace),
      {U"w", Kind::kText, Key::kTab, 0, LineKey::kHome, U'w'}, {U"中", Kind::kText, Key::kTab, 0, LineKey::kHome, U'中'},
      {U"\x01", Kind::kNothing}, {U"\u0085", Kind::kNothing},
      // Escape before a key: the key with Alt.
      key(U"\x1b\r", Key::kEnter, ui::kAlt), key(U"\x1b\x1b[14~", Key::kF4, ui::kAlt), {U"\x1bx", Kind::kNothing},
      // Ctrl+C, Ctrl+\ and Ctrl+Z typed, which raise their signals.
      {U"\x03", Kind::kSignal}, {U"\x1c", Kind::kSignal}, {U"\x1a", Kind::kSignal},
      // xterm: CSI, with the modifiers as a second parameter; modifyOtherKeys.
      key(U"\x1b[A", Key::kUp), key(U"\x1b[1;5A", Key::kUp, ui::kCtrl), key(U"\x1b[1;2B", Key::kDown, ui::kShift),
      key(U"\x1b[1;3S", Key::kF4, ui::kAlt), key(U"\x1b[Z", Key::kTab, ui::kShift), edit(U"\x1b[H", LineKey::kHome),
      edit(U"\x1b[F", LineKey::kEnd), edit(U"\x1b[3~", LineKey::kDelete), {U"\x1b[1;5H", Kind::kNothing},
      key(U"\x1b[27;5;13~", Key::kEnter, ui::kCtrl), key(U"\x1b[27;2;9~", Key::kTab, ui::kShift),
      // The CSI u form.
      key(U"\x1b[13;5u", Key::kEnter, ui::kCtrl), key(U"\x1b[27u", Key::kEscape), key(U"\x1b[27;2u", Key::kEscape, ui::kShift),
      key(U"\x1b[32;5u", Key::kSpace, ui::kCtrl), key(U"\x1b[119;5u", Key::kW, ui::kCtrl),
      // SS3, its keypad's Enter and digits too.
      key(U"\x1bOA", Key::kUp), key(U"\x1bOS", Key::kF4), key(U"\x1bOM", Key::kEnter), key(U"\x1bO5D", Key::kLeft, ui::kCtrl),
      edit(U"\x1bOH", LineKey::kHome), edit(U"\x1bOF", LineKey::kEnd), {U"\x1bOp", Kind::kText, Key::kTab, 0, LineKey::kHome, U'0'},
      // rxvt.
      key(U"\x1b[a", Key::kUp, ui::kShift), key(U"\x1bOd", Key::kLeft, ui::kCtrl), edit(U"\x1b[7~", LineKey::kHome),
      edit(U"\x1b[8~", LineKey::kEnd), {U"\x1b[7$", Kind::kNothing},
      // vt100 and vt220.
      edit(U"\x1b[1~", LineKey::kHome), edit(U"\x1b[4~", LineKey::kEnd), key(U"\x1b[14~", Key::kF4),
      // The mouse's first button, in the SGR form and in X10's; any other, and the wheel, nothing.
      mouse(U"\x1b[<0;10;5M", Kind::kPress, 9, 4), mouse(U"\x1b[<32;11;5M", Kind::kDrag, 10, 4),
      mouse(U"\x1b[<0;11;5m", Kind::kRelease, 10, 4), {U"\x1b[<64;1;1M", Kind::kNothing},
      {U"\x1b[<2;1;1M", Kind::kNothing}, mouse(U"\x1b[M !#", Kind::kPress, 0, 2),
      // A paste's marks; a sequence of no key.
      {U"\x1b[200~", Kind::kPasteStart}, {U"\x1b[201~", Kind::kPasteEnd}, {U"\x1b[?1;2c", Kind::kNothing},
  };
  for (const Case& c : cases) {
    std::string sent;
    for (const char32_t unit : c.sent) sent += unit < 0x20 ? '^' : static_cast<char>(unit);
    SCOPED_TRACE(sent);
    for (const std::u32string& followed : {c.sent, c.sent + U"4"}) {  // read whole, and no further
      const auto input = Decode(followed, true);
      ASSERT_TRUE(input.has_value());
      EXPECT_EQ(input->length, c.sent.size());
      EXPECT_EQ(input->kind, c.kind);
      const bool keyed = c.kind == Kind::kKey, pointed = c.kind == Kind::kPress || c.kind == Kind::kDrag;
      EXPECT_TRUE(!keyed || (input->key == c.key && input->modifiers == c.modifiers));
      EXPECT_TRUE(c.kind != Kind::kEdit || input->edit == c.edit);
      EXPECT_TRUE(c.kind != Kind::kText || input->character == c.character);
      EXPECT_TRUE(!pointed || (input->at.x == c.at.x && input->at.y == c.at.y));
    }
  }
}

// The start of a sequence waits for its rest while more may come; once nothing more comes, a lone
// Escape is the key, and the start of a sequence is read as one of no key, typing nothing.
TEST(KeyTable, WaitsForTheRestOfASequence) {
  for (const std::u32string start : {U"\x1b", U"\x1b[", U"\x1b[1;5", U"\x1bO", U"\x1b[M !", U"\x1b\x1b"}) {
    EXPECT_FALSE(Decode(start, true).has_value());
    const auto alone = Decode(start, false);
    ASSERT_TRUE(alone.has_value());
    EXPECT_EQ(alone->length, start.size());
  }
  EXPECT_EQ(Decode(U"\x1b", false)->key, Key::kEscape);
  EXPECT_TRUE(Decode(U"\x1b\x1b", false)->key == Key::kEscape && Decode(U"\x1b\x1b", false)->modifiers == ui::kAlt);
  EXPECT_EQ(Decode(U"\x1b[" + std::u32string(40, U'1'), true)->kind, Kind::kNothing);  // no terminal's
  // Escape typed just before a paste or a press is Escape, and the paste's mark is read after it.
  for (const std::u32string after : {U"\x1b[200~", U"\x1b[<0;1;1M"}) {
    const auto escape = Decode(U"\x1b" + after, true);
    EXPECT_TRUE(escape->key == Key::kEscape && escape->modifiers == 0 && escape->length == 1);
  }
}

}  // namespace
