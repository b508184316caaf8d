#pragma once

#include <fcntl.h>
#include <unistd.h>
#include <vterm.h>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

#include "tests/ui/probe.h"
#include "ui/console/console_engine.h"
#include "ui/console/console_window.h"
#include "ui/text_field.h"
#include "ui/forms.h"
#include "ui/rules.h"

// The program in a terminal, in this process: the engine's output read by a terminal emulator
// (libvterm) into the screen a user would see, and the keys and mouse presses that terminal would
// send written to the engine's input. A box is answered as soon as the screen shows it.
class ConsoleProbe final : public probe::Probe {
 public:
  ConsoleProbe() {
    const auto [rows, columns] = Size();
    vterm_ = vterm_new(rows, columns);
    vterm_set_utf8(vterm_, 1);
    screen_ = vterm_obtain_screen(vterm_);
    vterm_screen_reset(screen_, 1);
    reader_ = std::thread([this] { Read(); });
    core_->Start();
    Settle();
  }
  ~ConsoleProbe() override {
    core_.reset();
    engine_.reset();
    terminal_.reset();
    std::fclose(output_);  // the reader sees the end
    reader_.join();
    std::fclose(input_);
    close(keys_);
    vterm_free(vterm_);
  }

  void Type(std::string_view textBox, std::u16string_view text) override {
    Clear(textBox);
    Send(Utf8(text));
  }
  void Paste(std::string_view textBox, std::u16string_view text) override {
    Clear(textBox);
    Send("\033[200~" + Utf8(text) + "\033[201~");
  }
  void Compose(std::string_view, std::u16string_view text) override { Send(Utf8(text)); }  // as typed
  void Click(std::string_view control) override {
    const ui::Rect cells = Cells(probe::FormId::kMainWindow, control);
    PressAt(cells.left, cells.top);
  }
  void PressKey(probe::FormId, ui::Key key, unsigned modifiers) override {
    Send(modifiers & probe::kKeypad ? "\033OM" : Sent(key, modifiers));  // the keypad's Enter, as SS3
  }
  void PressHome() override { Send("\033[H"); }
  // As xterm sends each key: with modifiers, in its modifyOtherKeys form or with a parameter; Escape
  // in the shorter form of other terminals; Ctrl+W as its control character.
  static std::string Sent(ui::Key key, unsigned modifiers) {
    constexpr struct { ui::Key key; const char* plain; int code; char final; } kKeys[] = {
        {ui::Key::kTab, "\t", 9, 0},       {ui::Key::kEnter, "\r", 13, 0}, {ui::Key::kEscape, "\033", 27, 0},
        {ui::Key::kSpace, " ", 32, 0},      {ui::Key::kUp, "\033OA", 0, 'A'}, {ui::Key::kDown, "\033OB", 0, 'B'},
        {ui::Key::kRight, "\033OC", 0, 'C'}, {ui::Key::kLeft, "\033OD", 0, 'D'}, {ui::Key::kF4, "\033OS", 0, 'S'},
        {ui::Key::kW, "w", 119, 0}};
    const std::string held = std::to_string(1 + (modifiers & ui::kShift ? 1 : 0) + (modifiers & ui::kAlt ? 2 : 0) +
                                            (modifiers & ui::kCtrl ? 4 : 0));
    for (const auto& sent : kKeys) {
      if (sent.key != key) continue;
      if (modifiers == 0) return sent.plain;
      if (key == ui::Key::kTab && modifiers == ui::kShift) return "\033[Z";
      if (key == ui::Key::kW && modifiers == ui::kCtrl) return "\027";
      if (key == ui::Key::kEscape) return "\033[27;" + held + "u";
      return sent.code ? "\033[27;" + held + ";" + std::to_string(sent.code) + "~" : "\033[1;" + held + sent.final;
    }
    return "";
  }
  // The close mark at the right of its title bar, "^W[X]", on its first cell.
  void Close(probe::FormId form) override {
    const ui::Rect client = Client(form);
    PressAt(client.left + client.width - 5, client.top - 1);
  }
  void Raise(probe::FormId form) override {  // its title bar
    const ui::Rect client = Client(form);
    PressAt(client.left + 1, client.top - 1);
  }
  void Minimise(probe::FormId) override {}  // a terminal's windows cannot be
  void Leave() override {}                  // ... nor another program's come in front
  void AnswerBoxesWith(ui::Key key, unsigned modifiers) override { answer_ = Sent(key, modifiers); }
  bool WindowManager() const override { return false; }

  bool Open(probe::FormId form) const override { return core_->Loaded(form) != nullptr; }
  // As its size box is drawn: a field underlined where it takes input, flat where not.
  bool Enabled(probe::FormId form) const override {
    if (form != probe::FormId::kMainWindow) return Open(form);
    const ui::Rect box = Cells(form, "Text1");
    return Cell(box.left, box.top).attrs.underline;
  }
  bool OnScreen(probe::FormId form) const override { return Client(form).width > 0; }
  probe::FormId Front() const override {
    const ui::Rect main = Client(probe::FormId::kMainWindow);
    return Lit(main.left, main.top - 1) ? probe::FormId::kMainWindow : probe::FormId::kExplanationWindow;
  }
  bool HasIcon(probe::FormId form) const override { return OnScreen(form); }  // its title, for one
  std::u16string Text(probe::FormId form, std::string_view control) const override {
    const ui::ControlDesign& design = ui::Calculator().windows[form].design().Control(control);
    if (design.kind == ui::ControlKind::kTextBox) return core_->Loaded(form)->Text(control);
    const ui::Rect cells = Cells(form, control);
    return Trimmed(Row(cells.left, cells.top, cells.width));
  }
  // As the box's toolkit keeps it: a cut text's selection runs past what shows.
  std::u16string Selection(std::string_view textBox) const override {
    const auto& field = static_cast<ui::console::ConsoleWindow&>(core_->Loaded(probe::FormId::kMainWindow)->Native()).Field(textBox);
    return field.text.substr(field.SelectionStart(), field.SelectionEnd() - field.SelectionStart());
  }
  // Where the terminal's cursor stands in the box's text.
  std::size_t Caret(std::string_view textBox) const override {
    const ui::Rect cells = Cells(probe::FormId::kMainWindow, textBox);
    const std::u16string text = Text(probe::FormId::kMainWindow, textBox);
    std::size_t at = Shown(textBox).first;
    for (int column = cells.left + LeftOfText(textBox); at < text.size() && column < Cursor().col;) {
      const std::size_t units = text[at] >= 0xD800 && text[at] < 0xDC00 ? 2 : 1;  // a pair, one character
      column += ui::console::Cells(std::u16string_view(text).substr(at, units));
      at += units;
    }
    return at;
  }
  bool Checked(std::string_view option) const override {
    const ui::Rect cells = Cells(probe::FormId::kMainWindow, option);
    return Row(cells.left, cells.top, 3) == u"(*)";
  }
  // The control the terminal's cursor stands on, in the window in front.
  std::string Focused(probe::FormId form) const override {
    if (Front() != form) return "";
    const VTermPos cursor = Cursor();
    for (const ui::ControlDesign& control : ui::Calculator().windows[form].design().controls) {
      if (control.kind == ui::ControlKind::kLabel || control.kind == ui::ControlKind::kLine) continue;
      const ui::Rect cells = Cells(form, control.name);
      if (cursor.row == cells.top && cursor.col >= cells.left && cursor.col <= cells.left + cells.width) {
        return std::string(control.name);
      }
    }
    return "";
  }
  std::string DefaultButton() const override {  // in angle brackets
    for (const ui::ControlDesign& control : ui::Form1Design().controls) {
      if (control.kind != ui::ControlKind::kPushButton) continue;
      const ui::Rect cells = Cells(probe::FormId::kMainWindow, control.name);
      if (Row(cells.left, cells.top, cells.width).find(u'<') != std::u16string::npos) return std::string(control.name);
    }
    return "";
  }
  // The characters the box's cells show, between the cut marks it shows; none beyond its end. With
  // the focus, where they start in its text is found from the caret's place in it and the cell the
  // cursor stands on.
  probe::Visible Shown(std::string_view textBox) const override {
    const ui::Rect cells = Cells(probe::FormId::kMainWindow, textBox);
    std::u16string drawn = Trimmed(Row(cells.left, cells.top, cells.width));
    const bool markLeft = drawn.starts_with(u'\u2026'), markRight = drawn.ends_with(u'\u2026');
    drawn = Trimmed(drawn.substr(markLeft, drawn.size() - markLeft - markRight));
    const std::u16string text = Text(probe::FormId::kMainWindow, textBox);
    const VTermPos cursor = Cursor();
    const int textLeft = cells.left + LeftOfText(textBox);
    std::size_t first = 0;
    if (cursor.row == cells.top && cursor.col >= textLeft && cursor.col < cells.left + cells.width) {
      const std::size_t caret = static_cast<ui::console::ConsoleWindow&>(core_->Loaded(probe::FormId::kMainWindow)->Native()).Field(textBox).caret;
      first = caret - std::min(caret, Row(textLeft, cells.top, cursor.col - textLeft).size());
    } else if (markLeft && drawn.size() <= text.size()) {
      first = text.size() - drawn.size();
    }
    const bool spilt = Row(cells.left + cells.width, cells.top, 1) != u" ";
    return {first, drawn.size(), spilt || text.compare(first, drawn.size(), drawn) != 0, markLeft, markRight};
  }
  std::optional<std::u16string> Tooltip(std::string_view) const override { return std::nullopt; }
  void Hover(std::string_view) override {}  // a terminal shows no tooltip
  std::optional<probe::Tip> TipShown() const override { return std::nullopt; }
  // A control where the design puts it; the client area inside the window's frame as drawn: the
  // top right corner on its title's row, the bottom left under its left edge.
  ui::Rect Drawn(probe::FormId form, std::string_view control) const override {
    if (!control.empty()) return ui::CellBounds(ui::Calculator().windows[form].design().Control(control));
    const ui::Rect client = Client(form);
    int right = client.left, bottom = client.top;
    while (right < Size().second && Row(right, client.top - 1, 1) != u"\u2510") ++right;
    while (bottom < Size().first && Row(client.left - 1, bottom, 1) != u"\u2514") ++bottom;
    return {0, 0, right - client.left, bottom - client.top};
  }
  ui::Units Units() const override { return {96, true}; }
  int FontPixels(probe::FormId, std::string_view) const override { return 1; }  // a cell's row
  std::vector<probe::Box> TakeBoxes() override { return std::move(boxes_); }
  std::optional<std::vector<std::u16string>> TakeAnnounced() override { return std::nullopt; }

 public:
  // What only a terminal shows: a press on a cell, a drag from one to another, and where a window
  // and the design's controls stand in cells.
  void PressAt(int column, int row) {
    const std::string at = std::to_string(column + 1) + ";" + std::to_string(row + 1);
    Send("\033[<0;" + at + "M\033[<0;" + at + "m");
  }
  void Drag(ui::Point from, ui::Point to) {
    const auto at = [](ui::Point cell) { return std::to_string(cell.x + 1) + ";" + std::to_string(cell.y + 1); };
    Send("\033[<0;" + at(from) + "M\033[<32;" + at(to) + "M\033[<0;" + at(to) + "m");
  }
  ui::Rect Cells(probe::FormId form, std::string_view control) const {
    const ui::Rect client = Client(form);
    ui::Rect cells = ui::CellBounds(ui::Calculator().windows[form].design().Control(control));
    cells.left += client.left;
    cells.top += client.top;
    return cells;
  }
  ui::Rect ClientOf(probe::FormId form) const { return Client(form); }
  VTermPos Cursor() const {
    VTermPos cursor{};
    vterm_state_get_cursorpos(vterm_obtain_state(vterm_), &cursor);
    return cursor;
  }
  int LeftOfText(std::string_view textBox) const {
    const ui::Rect cells = Cells(probe::FormId::kMainWindow, textBox);
    int column = cells.left;
    while (column < cells.left + cells.width && (Row(column, cells.top, 1) == u" " || Row(column, cells.top, 1) == u"\u2026")) ++column;
    return column - cells.left;
  }

 private:
  static std::pair<int, int> Size() {
    const char* rows = std::getenv("LINES");
    const char* columns = std::getenv("COLUMNS");
    return {rows ? std::atoi(rows) : 24, columns ? std::atoi(columns) : 80};
  }
  static std::string Utf8(std::u16string_view text) {  // the terminal speaks UTF-8 by now
    const std::wstring wide = ui::console::Wide(text);
    std::string bytes(wide.size() * MB_CUR_MAX, '\0');
    bytes.resize(std::wcstombs(bytes.data(), wide.c_str(), bytes.size()));
    return bytes;
  }
  static std::u16string Trimmed(std::u16string_view text) {
    const std::size_t first = text.find_first_not_of(u' '), last = text.find_last_not_of(u' ');
    return first == text.npos ? u"" : std::u16string(text.substr(first, last + 1 - first));
  }

  // What the terminal sends, answered; then everything the engine drew, on the screen.
  void Send(const std::string& bytes) {
    [[maybe_unused]] const ssize_t written = write(keys_, bytes.data(), bytes.size());
    Settle();
  }
  void Clear(std::string_view textBox) {
    Click(textBox);
    std::string erase = "\033OF";  // End
    for (std::size_t left = Text(probe::FormId::kMainWindow, textBox).size(); left > 0; --left) erase += "\177";
    Send(erase);
  }
  void Settle() {
    engine_->Pump();
    const int marker = ++markers_;
    const std::string sync = "\033]999;" + std::to_string(marker) + "\a";
    [[maybe_unused]] const ssize_t written = write(fileno(output_), sync.data(), sync.size());
    std::unique_lock lock(mutex_);
    settled_.wait(lock, [&] { return seen_ >= marker; });
  }
  // The engine's output, read as it comes; a box on the screen answered with its button.
  void Read() {
    char buffer[4096];
    for (ssize_t got; (got = read(screenSide_, buffer, sizeof buffer)) > 0;) {
      std::lock_guard lock(mutex_);
      vterm_input_write(vterm_, buffer, static_cast<std::size_t>(got));
      const std::string chunk = carried_ + std::string(buffer, static_cast<std::size_t>(got));
      carried_ = chunk.substr(chunk.size() - std::min<std::size_t>(chunk.size(), 16));  // a marker split by a read
      for (std::size_t at = chunk.find("\033]999;"); at != std::string::npos; at = chunk.find("\033]999;", at + 1)) {
        seen_ = std::max(seen_, std::atoi(chunk.c_str() + at + 6));
      }
      AnswerABox();
      settled_.notify_all();
    }
  }
  // A box's button, "<确定>", under its text, which its symbol stands before, "(!)" or "(X)", under
  // its title in its top border; answered with the key asked for, else a press on its button.
  void AnswerABox() {
    const std::u16string button = u"<" + std::u16string(ui::Calculator().texts.boxButton) + u">";
    const auto [rows, columns] = Size();
    for (int row = 4; row < rows; ++row) {
      const std::u16string line = Row(0, row, columns);
      const std::size_t at = line.find(button);
      if (at == std::u16string::npos) continue;
      if (answering_) return;
      answering_ = true;
      const std::u16string top = Row(0, row - 4, columns), text = Row(0, row - 2, columns);
      const std::size_t corner = top.rfind(u'\u250c', at), symbol = text.find(u'(', corner);
      const std::u16string title = top.substr(corner + 2, top.find(u" \u2500", corner + 2) - corner - 2);
      const std::u16string said = Trimmed(text.substr(symbol + 3, text.find(u" \u2502", symbol) - symbol - 3));
      const ui::Rect main = Client(probe::FormId::kMainWindow);
      const int middle = ui::console::Cells(std::u16string_view(line).substr(0, at)) + ui::console::Cells(button) / 2;
      boxes_.push_back({title, said, text[symbol + 1] == u'X' ? ui::MessageIcon::kError : ui::MessageIcon::kWarning,
                        std::abs(2 * middle - (2 * main.left + main.width)) <= 2});
      const std::string at1 = std::to_string(middle + 1) + ";" + std::to_string(row + 1);
      const std::string sent = answer_.empty() ? "\033[<0;" + at1 + "M\033[<0;" + at1 + "m" : answer_;
      [[maybe_unused]] const ssize_t written = write(keys_, sent.data(), sent.size());
      return;
    }
    answering_ = false;
  }

  VTermScreenCell Cell(int column, int row) const {
    VTermScreenCell cell{};
    vterm_screen_get_cell(screen_, {row, column}, &cell);
    return cell;
  }
  // The characters of `width` cells from a cell, a wide one once.
  std::u16string Row(int column, int row, int width) const {
    std::u16string text;
    for (int at = column; at < column + width && at < Size().second;) {
      const VTermScreenCell cell = Cell(at, row);
      const uint32_t c = cell.chars[0];
      if (c > 0xFFFF) {  // as a pair, as the program keeps it
        text += {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)), static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
      } else {
        text += c ? static_cast<char16_t>(c) : u' ';
      }
      at += cell.width > 0 ? cell.width : 1;
    }
    return text;
  }
  bool Lit(int column, int row) const {  // as the window in front's title
    const VTermScreenCell cell = Cell(column, row);
    return cell.attrs.reverse || (VTERM_COLOR_IS_INDEXED(&cell.bg) && cell.bg.indexed.idx == COLOR_BLUE);
  }
  // Where a window's client area stands on the screen: under its title, found in its top border.
  ui::Rect Client(probe::FormId form) const {
    const ui::WindowDesign& design = ui::Calculator().windows[form].design();
    const std::u16string title = u" " + std::u16string(design.title) + u" ";
    const auto [rows, columns] = Size();
    for (int row = 0; row < rows; ++row) {
      const std::u16string line = Row(0, row, columns);
      for (std::size_t at = line.find(title); at != std::u16string::npos; at = line.find(title, at + 1)) {
        if (at == 0 || line[at - 1] != u'\u250c') continue;
        const ui::Rect client = ui::ClientInUnits(design, Units());
        return {ui::console::Cells(std::u16string_view(line).substr(0, at)), row + 1, client.width, client.height};
      }
    }
    return {0, 0, 0, 0};
  }

  int keys_ = -1, screenSide_ = -1;
  std::FILE* input_ = nullptr;
  std::FILE* output_ = nullptr;
  int opened_ = [this] {
    int keys[2], screen[2];
    if (pipe(keys) != 0 || pipe(screen) != 0) std::abort();
    keys_ = keys[1];
    screenSide_ = screen[0];
    input_ = fdopen(keys[0], "r");
    output_ = fdopen(screen[1], "w");
    const auto [rows, columns] = Size();
    setenv("LINES", std::to_string(rows).c_str(), 1);
    setenv("COLUMNS", std::to_string(columns).c_str(), 1);
    return 0;
  }();
  std::unique_ptr<ui::console::Terminal> terminal_ = std::make_unique<ui::console::Terminal>(input_, output_, "xterm-256color");
  std::unique_ptr<ui::console::ConsoleEngine> engine_ = std::make_unique<ui::console::ConsoleEngine>(*terminal_);
  std::unique_ptr<ui::Core> core_ = std::make_unique<ui::Core>(*engine_, ui::Calculator());
  VTerm* vterm_ = nullptr;
  VTermScreen* screen_ = nullptr;
  std::thread reader_;
  std::mutex mutex_;  // the reader's, while the engine writes
  std::condition_variable settled_;
  int markers_ = 0, seen_ = 0;
  std::string carried_;  // the end of what was read last
  bool answering_ = false;
  std::string answer_;  // the key boxes are answered with
  std::vector<probe::Box> boxes_;
};
