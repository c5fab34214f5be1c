// The editor at the keyboard and the mouse, case by case from tests/data/editing.txt: a text with its
// caret (and selection), what the user does, and the text, caret and selection that result.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "editor/base/strings.h"
#include "editor/control/editor_messages.h"
#include "editor/control/editor_mouse.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_undo_obj.h"
#include "support/change_listener.h"
#include "support/mouse_driver.h"
#include "support/table.h"
#include "support/temp_dir.h"

namespace editor {
namespace {

using test::Arguments;
using test::ParseQuoted;
using test::TMouseDriver;

// The word without its modifier prefixes ("S-", "C-", "A-"), the modifiers, and "*N" and "!" after it.
struct TCommand {
  std::string Name;
  TShiftState Shift = 0;
  int Times = 1;
  bool Repeat = false;
};

TCommand ParseCommand(std::string word) {
  TCommand command;
  while (word.size() > 2 && word[1] == '-' && std::string("SCA").find(word[0]) != std::string::npos) {
    command.Shift |= word[0] == 'S' ? ssShift : word[0] == 'C' ? ssCtrl : ssAlt;
    word.erase(0, 2);
  }
  const std::size_t star = word.rfind('*');
  if (star != std::string::npos && word.find_first_of("'\"") == std::string::npos) {
    command.Times = std::stoi(word.substr(star + 1));
    word.resize(star);
  }
  if (!word.empty() && word.back() == '!') {
    command.Repeat = true;
    word.pop_back();
  }
  command.Name = word.substr(0, word.find_first_of("('\""));
  return command;
}

const std::map<std::string, TEditorKey> kKeys = {{"Left", TEditorKey::Left},   {"Right", TEditorKey::Right},
                                                 {"Up", TEditorKey::Up},       {"Down", TEditorKey::Down},
                                                 {"Home", TEditorKey::Home},   {"End", TEditorKey::End},
                                                 {"PgUp", TEditorKey::PageUp}, {"PgDn", TEditorKey::PageDown},
                                                 {"Del", TEditorKey::Delete},  {"Esc", TEditorKey::Escape}};
const std::map<std::string, unsigned char> kChars = {{"BS", kCharBackspace}, {"Tab", kCharTab}, {"Ret", kCharReturn}};
const std::map<std::string, TScrollRequest> kRequests = {
    {"LineUp", TScrollRequest::LineUp},     {"LineDown", TScrollRequest::LineDown}, {"PageUp", TScrollRequest::PageUp},
    {"PageDown", TScrollRequest::PageDown}, {"Thumb", TScrollRequest::ThumbTrack},  {"Top", TScrollRequest::Top},
    {"Bottom", TScrollRequest::Bottom},     {"End", TScrollRequest::EndScroll}};

// The names the checks give the window's cursors and the control's cursor states.
const std::vector<std::string> kCursorKinds = {"Arrow",   "IBeam", "Hand",       "DragMove",
                                               "No",      "SizeAll", "RightArrow", "DragSelCopy"};
const std::vector<std::string> kCursorStates = {"text", "margin", "top", "insel", "move", "copy"};

// One case run on a fresh note-window editor.
class TCase {
 public:
  explicit TCase(const std::vector<std::string>& settings) {
    d.Editor.OnChange = FChanges.Event();
    d.Editor.OnTopRowChange = FTopRows.Event();
    d.Editor.OnTopColChange = FTopCols.Event();
    d.Editor.OnDblClick = FDoubleClicks.Event();
    d.Editor.OnMouseDown = [this](TEditor&, TMouseButton, TShiftState, int, int) { ++FMouseDowns; };
    for (const std::string& word : settings) Set(word);
  }

  void Load(const test::TMarkedText& in) {
    d.Load(in.Text);
    if (in.SelStart >= 0) {  // a selection made forwards: the caret at its end
      d.Editor.SetSelStart(in.SelStart);
      d.Editor.SetSelLength(in.SelEnd - in.SelStart);
    } else if (in.Caret >= 0) {
      d.Editor.SetSelStart(in.Caret);
    }
    FRepaintsAtLoad = d.Window.InvalidateAllCount;
  }

  void Run(const std::string& word) {
    const TCommand c = ParseCommand(word);
    for (int i = 0; i < c.Times; ++i) RunOnce(c, word);
  }

  // The text with the caret and (when a stream selection is there) the selected range.
  test::TMarkedText Result() const {
    const TEditor& e = d.Editor;
    test::TMarkedText out{d.Text(), e.CaretOffset(0, e.Row(), e.Col())};
    if (e.Selection().State() == sstSelected && !e.BoxMode()) {
      const TSelectionRange& range = e.Selection().Range();
      out.SelStart = e.OffsetFrom(0, range.StartRow, range.StartIndex);
      out.SelEnd = e.OffsetFrom(0, range.EndRow, range.EndIndex + 1);
    }
    return out;
  }

  // Checks one expectation word after the expected text; "" when it holds, else what was found.
  std::string Check(const std::string& word, const std::string& start) {
    TEditor& e = d.Editor;
    const std::vector<std::string> a = Arguments(word);
    const auto number = [&a](std::size_t i) { return std::stoi(a.at(i)); };
    const auto call = [](const std::string& name, std::initializer_list<std::string> values) {
      std::string out = name + "(";
      for (const std::string& value : values) out += (out.back() == '(' ? "" : ",") + value;
      return out + ")";
    };
    const auto str = [](auto value) { return std::to_string(value); };
    // A query's answers stand for its last arguments: "insel(1,2,0)" asks about row 1, index 2.
    const auto name = [](std::initializer_list<const char*> names, int i) { return std::string(names.begin()[i]); };
    const auto with = [&a, &word](std::initializer_list<std::string> answers) {
      std::vector<std::string> v(a.begin(), a.end() - static_cast<std::ptrdiff_t>(answers.size()));
      std::string out = word.substr(0, word.find('(')) + "(";
      for (const std::string& value : v) out += value + ",";
      for (const std::string& value : answers) out += value + ",";
      return out.substr(0, out.size() - 1) + ")";
    };
    const auto point = [&] { return Point(a.at(0), a.at(1)); };
    const auto pair = [&str](std::int32_t w) { return w < 0 ? str(w) : str(w & 0xFFFF) + ":" + str(w >> 16); };
    const TCommand c = ParseCommand(word);
    const TSelectionRange& range = e.Selection().Range();
    // A scroll bar as the window was last told it: range, page and position.
    const auto bar = [&call, &str](const std::string& which, const test::TFakeWindow::TScrollRange& b) {
      return call(which, {str(b.Min), str(b.Max), str(b.Page), str(b.Position)});
    };
    // Rectangles as "left,top,right,bottom", one after the other; "none" for no rectangle.
    const auto rects = [&str](const std::vector<TRect>& list) {
      std::string out;
      for (const TRect& r : list)
        out += (out.empty() ? "" : ",") + str(r.Left) + "," + str(r.Top) + "," + str(r.Right) + "," + str(r.Bottom);
      return out.empty() ? "none" : out;
    };
    TEditorMessages m(e);
    std::array<char, 4> buffer{};
    // What each check finds, written as the check is; the check holds when the two are the same.
    const std::map<std::string, std::function<std::string()>> found = {
        {"clip", [&] { return (d.Clipboard.Box ? "boxclip" : "clip") + test::ShowMarked({d.Clipboard.Text}); }},
        {"noclip", [&] { return d.Clipboard.HasText() ? "clipboard " + test::ShowMarked({d.Clipboard.Text}) : word; }},
        {"rows",  // each row's length and end: B a line break, W wrapped on, E the text's end
         [&] {
           std::string rows;
           for (int row = 0; row < e.ListInfo().Count(); ++row)
             rows += (row ? "," : "") + str(e.RowLength(row)) + "BWEN"[e.ListInfo().RowAttribute(row)];
           return "rows(" + rows + ")";
         }},
        {"record",  // the last undo record: its row, the offset from there, the bytes put in, those taken out
         [&] {
           const TUndoData& r = e.ListInfo().UndoObj().UndoList().back();
           return call("record", {str(r.StartRow), str(r.Offset), str(r.NewLength)}) + test::ShowMarked({r.Text});
         }},
        {"rowmarks", [&] { return call("rowmarks", {a.at(0), str(e.ListInfo().RowMarks(number(0)))}); }},
        {"markset", [&] { return with({str(e.RowMarkSet(number(0)))}); }},
        {"readonly", [&] { return with({str(e.ReadOnly())}); }},
        {"shown", [&] { return with({kCursorKinds.at(static_cast<std::size_t>(d.Window.Cursor))}); }},
        // The cursor a cursor index shows, and the index the control's defaults give a cursor state.
        {"cursorkind", [&] { return with({kCursorKinds.at(static_cast<std::size_t>(CursorKindOf(number(0))))}); }},
        {"defaultcursor",
         [&] {
           const auto state = std::find(kCursorStates.begin(), kCursorStates.end(), a.at(0)) - kCursorStates.begin();
           return with({str(CursorIndexOf(TCursorIndices{}, static_cast<TCursorState>(state)))});
         }},
        // The window's side: the last scroll of its pixels (dx,dy,area), how many there were, the areas
        // repainted since "unpaint", the top row and column changes reported, the caret's blink interval,
        // the caret a paint inverts, the caret's place and whether it is drawn.
        {"scroll",
         [&] {
           if (d.Window.Scrolls.empty()) return std::string("no scroll");
           const test::TFakeWindow::TScrollCall& s = d.Window.Scrolls.back();
           return call("scroll", {str(s.Dx), str(s.Dy), rects({s.Area})});
         }},
        {"scrolls", [&] { return with({str(d.Window.Scrolls.size())}); }},
        {"repainted", [&] { return call("repainted", {rects(d.Window.Invalidated)}); }},
        {"topchanges", [&] { return with({str(FTopRows.Count)}); }},
        {"leftchanges", [&] { return with({str(FTopCols.Count)}); }},
        {"blink", [&] { return with({str(d.Window.CaretTimer)}); }},
        {"inverted", [&] { return call("inverted", {rects(d.Paint().Inverted)}); }},
        {"underlines",  // the lines a paint draws (the caret row's underline), by their top pixel
         [&] {
           std::string ys;
           const test::TRecordingCanvas canvas = d.Paint();
           for (const test::TRecordingCanvas::TLine& l : canvas.Lines) ys += (ys.empty() ? "" : ",") + str(l.From.Y);
           return call("underlines", {ys.empty() ? "none" : ys});
         }},
        {"underlinehides", [&] { return with({str(e.UnderlineHideCount())}); }},
        // Whole-window repaints since the load, where the text starts, the start states' InitBracketsFull.
        {"repaints", [&] { return with({str(d.Window.InvalidateAllCount - FRepaintsAtLoad)}); }},
        {"textleft", [&] { return with({str(e.Viewport().TextLeft())}); }},
        // The view's measures: whole rows and columns shown, a cell's size, the text's top, whether tokens
        // are drawn transparent (an italic style in the scheme).
        {"visible", [&] { return with({str(e.VisibleRows()), str(e.VisibleCols())}); }},
        {"cell", [&] { return with({str(e.Viewport().ColWidth()), str(e.Viewport().RowHeight())}); }},
        {"topmargin", [&] { return with({str(e.Viewport().TopMargin())}); }},
        {"transparent", [&] { return with({str(e.Viewport().TransparentTokens())}); }},
        {"initfull", [&] { return with({str(e.TokenRowStates().InitBracketsFull())}); }},
        {"caretat", [&] { return call("caretat", {str(e.CaretModel().Position().X), str(e.CaretModel().Position().Y)}); }},
        {"drawn", [&] { return with({str(e.CaretModel().Drawn())}); }},
        // The input a held button or a drag holds off: passes(char,key down,key up,wheel) for Left,
        // passctrl(0|1) and passctrlup(0|1) for Ctrl going down and up; the window's focus and capture; the events the editor raised.
        {"passes",
         [&] {
           return with({str(e.PassChar()), str(e.PassKeyDown(TEditorKey::Left, 0)),
                        str(e.PassKeyUp(TEditorKey::Left)), str(e.PassMouseWheel())});
         }},
        {"passctrl", [&] { return with({str(e.PassKeyDown(TEditorKey::Control, ssCtrl))}); }},
        {"passctrlup", [&] { return with({str(e.PassKeyUp(TEditorKey::Control))}); }},
        {"focused", [&] { return with({str(d.Window.HasFocus), str(d.Window.Captured)}); }},
        {"mousedowns", [&] { return with({str(FMouseDowns)}); }},
        {"dblclicks", [&] { return with({str(FDoubleClicks.Count)}); }},
        // The scheme in use, as the editor and its start states see it (0 View's, 1 and 2 the table's own),
        // and how many listen to the table's schemes.
        {"active",
         [&] {
           const auto index = [&](const TFountain* f) {
             return f == &FSchemes[0] ? "1" : f == &FSchemes[1] ? "2" : f == &e.View().Fountain() ? "0" : "?";
           };
           return with({index(e.ActiveFountain()), index(e.TokenRowStates().Fountain())});
         }},
        {"listeners", [&] { return with({str(FSchemes[0].ListenerCount()), str(FSchemes[1].ListenerCount())}); }},
        {"computed", [&] { return with({str(e.ListInfo().StateComputed(number(0)))}); }},
        {"caretwidth", [&] { return with({str(e.CaretModel().Width())}); }},
        {"text", [&] { return "text" + test::ShowMarked({d.Text()}); }},
        {"changes", [&] { return with({str(FChanges.Count)}); }},
        {"loaded", [&] { return with({str(FLoaded)}); }},
        // The rows and lines as the row store reads them; "error" where it refuses the request.
        {"linestart", [&] { return with({str(e.ListInfo().LineStartRow(number(0)))}); }},
        {"lineend", [&] { return with({str(e.ListInfo().LineEndRow(number(0)))}); }},
        {"linetorow", [&] { return with({str(e.ListInfo().LineToRow(number(0)))}); }},
        {"rowtoline", [&] { return with({str(e.ListInfo().RowToLine(number(0)))}); }},
        {"line", [&] { return call("line", {a.at(0)}) + test::ShowMarked({e.Lines().Strings(number(0))}); }},
        {"rowstext",  // the rows joined from a row on: how many it took, the last one's end, the text
         [&] {
           TRowAttribute attribute = raNone;
           int taken = 0;
           std::string text;
           e.ListInfo().GetRowsText(number(0), number(1), attribute, taken, text);
           return with({str(taken), std::string(1, "BWEN"[attribute])}) + test::ShowMarked({text});
         }},
        // What the editor answers about points, cells and the caret.
        {"insel", [&] { return with({str(e.IsInSelection(number(0), number(1)))}); }},
        {"candrag", [&] { return with({str(e.CanDragSelection())}); }},
        {"textpos",
         [&] {
           int row = 0, index = 0;
           const bool hit = e.TextPosFromPoint(point(), row, index);
           return with({str(hit), str(row), str(index)});
         }},
        {"token", [&] { return call("token", {a.at(0), a.at(1)}) + test::ShowMarked({e.TokenAtPoint(point())}); }},
        {"kind", [&] { return with({std::string(TokenKindName(e.TokenKindAtPoint(point())))}); }},
        {"caretkind", [&] { return with({std::string(TokenKindName(e.TokenKindAtCaret()))}); }},
        {"carettoken", [&] { return "carettoken" + test::ShowMarked({e.TokenAtCaret()}); }},
        {"selecttoken", [&] { return with({str(e.SelectTokenAt(point(), true, false))}); }},
        // The edit-control messages' answers; points and offsets as "low:high" words.
        {"charfrompos", [&] { return with({pair(m.CharFromPos(point().X, point().Y))}); }},
        {"posfromchar", [&] { return with({pair(m.PosFromChar(number(0)))}); }},
        {"getsel",
         [&] {
           int from = -1, to = -1;
           const std::uint32_t both = m.GetSel(&from, &to);
           return both == (static_cast<std::uint32_t>(to) << 16 | static_cast<std::uint32_t>(from))
                      ? with({str(from), str(to)})
                      : "returned " + str(both);
         }},
        {"linefromchar", [&] { return with({str(m.LineFromChar(number(0)))}); }},
        {"linelength", [&] { return with({str(m.LineLength(number(0)))}); }},
        {"lineindex", [&] { return with({str(m.LineIndex(number(0)))}); }},
        {"linecount", [&] { return with({str(m.GetLineCount())}); }},
        {"getline", [&] { return with({str(m.GetLine(number(0), buffer))}); }},
        {"gettext",
         [&] {
           const int copied = m.GetText(buffer);
           return with({str(copied)}) + test::ShowMarked({std::string(buffer.data())});
         }},
        {"textlength", [&] { return with({str(m.GetTextLength())}); }},
        {"mcanundo", [&] { return with({str(m.CanUndo())}); }},
        {"mmodified", [&] { return with({str(m.GetModify())}); }},
        {"mundo", [&] { return with({str(m.Undo())}); }},
        {"listmarks", [&] { return call("listmarks", {str(e.ListInfo().ListMarks())}); }},
        {"lines", [&] { return call("lines", {str(e.Lines().Count())}); }},
        {"canundo", [&] { return call("canundo", {str(e.CanUndo())}); }},
        {"undos", [&] { return with({str(e.ListInfo().UndoObj().UndoList().size())}); }},
        {"canredo", [&] { return call("canredo", {str(e.CanRedo())}); }},
        {"modified", [&] { return call("modified", {str(e.Modified())}); }},
        {"hidden", [&] { return call("hidden", {str(e.CaretHidden())}); }},
        {"box",
         [&] {
           if (!e.BoxMode() || e.Selection().State() != sstSelected) return std::string("no box");
           return call("box", {str(range.StartRow), str(range.EndRow), str(std::min(range.StartCol, range.EndCol)),
                               str(std::max(range.StartCol, range.EndCol))});
         }},
        {"caret", [&] { return call("caret", {str(e.Row()), str(e.Col())}); }},
        {"top", [&] { return call("top", {str(e.TopRow())}); }},
        {"left", [&] { return call("left", {str(e.TopCol())}); }},
        {"vbar", [&] { return bar("vbar", d.Window.VerticalBar); }},
        {"hbar", [&] { return bar("hbar", d.Window.HorizontalBar); }},
        {"sel", [&] { return call("sel", {str(e.SelStart()), str(e.SelLength())}); }},
        {"state", [&] { return with({name({"none", "anchored", "selected", "hit"}, e.Selection().State())}); }},
        {"cursor", [&] { return with({kCursorStates.at(static_cast<std::size_t>(e.CursorState()))}); }},
        {"drag", [&] { return with({name({"none", "pending", "dragging"}, e.SelDragState())}); }},
    };
    // Quoted texts in a check are compared as the table writes them.
    const std::size_t quote = word.find('\'');
    const std::string expected =
        quote == std::string::npos ? word : word.substr(0, quote) + test::ShowMarked(ParseQuoted(word));
    if (const auto check = found.find(c.Name == "boxclip" ? "clip" : c.Name); check != found.end()) {
      std::string value;
      try {
        value = check->second();
      } catch (const EListError&) {
        value = with({"error"});
      }
      return value == expected ? "" : value;
    }
    if (c.Name == "undo") {
      // Undone step by step, the text comes back to the start, and not one step earlier.
      for (int i = 0; i < number(0); ++i) {
        if (!e.CanUndo()) return "undo: only " + std::to_string(i) + " steps";
        if (i + 1 < number(0) && d.Text() == start) return "undo: back at the start after " + std::to_string(i + 1);
        e.Undo();
      }
      if (d.Text() != start) return "undo: " + test::ShowMarked({d.Text()});
      return e.CanUndo() ? "undo: more steps left" : "";
    }
    return "unknown expectation " + word;
  }

  // The editor's OnChange, OnTopRowChange, OnTopColChange and OnDblClick, and two schemes of its own for
  // the Fountain property (scheme 0 is View's); made before the editor, gone after it.
  test::TChangeListener FChanges, FTopRows, FTopCols, FDoubleClicks;
  TEditorFountain FSchemes[2];
  TMouseDriver d;

 private:
  void Set(const std::string& word) {
    TEditor& e = d.Editor;
    TEditorCaret& caret = e.Caret();
    const std::size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    const int value = eq == std::string::npos ? 0 : std::stoi(word.substr(eq + 1));
    const std::map<std::string, std::function<void()>> settings = {
        {"wrap",
         [&] {
           e.WrapOption().SetWrapByte(value);
           e.SetWordWrap(true);
         }},
        {"rows",
         [&] {
           d.Window.Height = 2 + 5 + value * 16;
           e.Resize();
         }},
        {"height",
         [&] {
           d.Window.Height = value;
           e.Resize();
         }},
        {"screen", [&] { d.Window.Screen = value; }},
        {"imagebar", [&] { e.Imagebar().SetVisible(true); }},
        {"underline", [&] { e.Marks().Underline().SetVisible(true); }},
        {"leftbar", [&] { e.Leftbar().SetVisible(true); }},
        {"ruler", [&] { e.Ruler().SetVisible(true); }},
        {"avechar",
         [&] {
           d.Window.Metrics.AveCharWidth = value;
           e.Resize();
         }},
        {"italiccomment", [&] { e.View().Colors().Comment().SetStyle(fsItalic); }},
        {"autoindent", [&] { caret.SetAutoIndent(true); }},
        {"tabindent", [&] { caret.SetTabIndent(true); }},
        {"prevspace", [&] { caret.SetPrevSpaceIndent(true); }},
        {"unindent", [&] { caret.SetBackSpaceUnIndent(true); }},
        {"freecaret", [&] { caret.SetFreeCaret(true); }},
        {"keepcaret", [&] { caret.SetKeepCaret(true); }},
        {"intab", [&] { caret.SetInTab(true); }},
        {"tokenendstop", [&] { caret.SetTokenEndStop(true); }},
        {"lockscroll", [&] { caret.SetLockScroll(true); }},
        {"norowselect", [&] { caret.SetRowSelect(false); }},
        {"noselmove", [&] { caret.SetSelMove(false); }},
        {"manualdrag", [&] { caret.SetSelDragMode(dmManual); }},
        {"overtype", [&] { e.SetOvertype(true); }},
        {"bars", [&] { e.SetScrollBars(ssBoth); }},
        {"box", [&] { e.SetBoxMode(true); }},
        {"retmark", [&] { e.WrapOption().SetFollowRetMark(true); }},
        {"punct", [&] { e.WrapOption().SetFollowPunctuation(true); }},
        {"leading", [&] { e.WrapOption().SetLeading(true); }},
        {"wordbreak", [&] { e.WrapOption().SetWordBreak(true); }},
    };
    settings.at(name)();
  }

  // A point of the view: "row,col" one pixel into the cell, "row,col+" in its right half, "row,col>N"
  // N pixels right of "row,col", "row,m" in the left margin, "a,col" one pixel above the text ("t,col" on
  // its first pixel row), "u,col"
  // above the window, "row,x" right of it, "row,w" on its right edge's first pixel out, "row,l" left of it.
  TPoint Point(const std::string& rowWord, const std::string& colWord) const {
    const TEditorViewport& v = d.Editor.Viewport();
    const int col = std::isdigit(static_cast<unsigned char>(colWord[0])) ? std::stoi(colWord) : 0;
    if (rowWord == "a" || rowWord == "t") return {d.Cell(0, col).X, v.TopMargin() - (rowWord == "a" ? 1 : 0)};
    if (rowWord == "u") return {d.Cell(0, col).X, -20};
    const int row = std::stoi(rowWord);
    if (colWord == "m") return d.Margin(row);
    if (colWord == "x" || colWord == "w") return {d.Window.Width + (colWord == "x" ? 10 : 0), d.Cell(row, 0).Y};
    if (colWord == "l") return {-1, d.Cell(row, 0).Y};
    const std::size_t shift = colWord.find('>');
    const TPoint p = d.Cell(row, col, colWord.back() == '+');
    return shift == std::string::npos ? p : TPoint{p.X + std::stoi(colWord.substr(shift + 1)), p.Y};
  }

  // A property assigned a copy of the values it already holds.
  void Reassign(const std::string& name) {
    TEditor& e = d.Editor;
    const auto same = [](auto& property) {
      std::remove_reference_t<decltype(property)> copy;
      copy.Assign(property);
      property.Assign(copy);
    };
    const std::map<std::string, std::function<void()>> properties = {
        {"caret", [&] { same(e.Caret()); }},       {"margin", [&] { same(e.Margin()); }},
        {"marks", [&] { same(e.Marks()); }},       {"leftbar", [&] { same(e.Leftbar()); }},
        {"ruler", [&] { same(e.Ruler()); }},       {"imagebar", [&] { same(e.Imagebar()); }},
        {"view", [&] { same(e.View()); }},
    };
    properties.at(name)();
  }

  // Scheme 0 is View's, 1 and 2 the table's own.
  TEditorFountain& Scheme(int n) { return n > 0 ? FSchemes[n - 1] : d.Editor.View().Fountain(); }

  void RunOnce(const TCommand& c, const std::string& word) {
    TEditor& e = d.Editor;
    const std::vector<std::string> a = Arguments(word);
    const auto number = [&a](std::size_t i) { return std::stoi(a.at(i)); };
    TEditorMessages m(e);
    if (auto key = kKeys.find(c.Name); key != kKeys.end()) {
      d.Key(key->second, c.Shift, c.Repeat);
    } else if (auto code = kChars.find(c.Name); code != kChars.end()) {
      d.Char(code->second, c.Shift);
    } else if (word[0] == '\'') {
      d.Type(ParseQuoted(word).Text);
    } else if (word[0] == '#') {
      d.Char(static_cast<unsigned char>(std::stoi(word.substr(1), nullptr, 16)));
    } else if (c.Name == "press" || c.Name == "move" || c.Name == "release" || c.Name == "click") {
      const TPoint p = Point(a.at(0), a.at(1));
      if (c.Name == "press" || c.Name == "click") d.Press(p, c.Shift);
      if (c.Name == "move") d.Move(p, c.Shift);
      if (c.Name == "release" || c.Name == "click") d.Release(p, c.Shift);
    } else if (c.Name == "drag") {  // a press, a move on the way, a move onto the target, the release
      const TPoint from = Point(a.at(0), a.at(1));
      const TPoint to = Point(a.at(2), a.at(3));
      d.Press(from, c.Shift).Move({(from.X + to.X) / 2 + 5, (from.Y + to.Y) / 2}, c.Shift);
      d.Move(to, c.Shift).Release(to, c.Shift);
    } else {
      const std::map<std::string, std::function<void()>> commands = {
          {"ime", [&] { e.ImeResult(ParseQuoted(word).Text); }},
          {"put", [&] { e.PutText(ParseQuoted(word).Text); }},
          {"seltext", [&] { e.SetSelTextBuf(ParseQuoted(word).Text); }},
          {"clip", [&] { d.Clipboard.SetText(ParseQuoted(word).Text, false); }},
          {"boxclip", [&] { d.Clipboard.SetText(ParseQuoted(word).Text, true); }},
          {"at", [&] { d.At(number(0), number(1)); }},
          {"start", [&] { e.SetSelStart(number(0)); }},
          {"len", [&] { e.SetSelLength(number(0)); }},
          {"top", [&] { e.SetTopRow(number(0)); }},
          {"vscroll", [&] { e.VScroll(kRequests.at(a.at(0)), a.size() > 1 ? number(1) : 0); }},
          {"hscroll", [&] { e.HScroll(kRequests.at(a.at(0)), a.size() > 1 ? number(1) : 0); }},
          {"scrollcaret", [&] { e.ScrollCaretMessage(); }},
          {"hit", [&] { e.SetHitSelection(number(0), number(1)); }},
          {"resetstates", [&] { e.ListInfo().ResetStates(); }},
          {"dropstates", [&] { e.ListInfo().DropStatesFrom(0); }},
          // The Fountain property (scheme(0) clears it), and a scheme's URL or mail rule switched.
          {"scheme", [&] { e.SetFountain(number(0) > 0 ? &FSchemes[number(0) - 1] : nullptr); }},
          {"schemeurl", [&] { Scheme(number(0)).SetUrl(!Scheme(number(0)).Url()); }},
          {"schememail", [&] { Scheme(number(0)).SetMail(!Scheme(number(0)).Mail()); }},
          {"urlcolor", [&] { e.View().Colors().Url().SetColor(static_cast<TColor>(number(0))); }},
          {"leftmargin", [&] { e.Margin().SetLeft(number(0)); }},
          {"reassign", [&] { Reassign(a.at(0)); }},
          {"speedfull",  // Speed assigned with InitBracketsFull
           [&] {
             TEditorSpeed speed;
             speed.SetInitBracketsFull(true);
             e.Speed().Assign(speed);
           }},
          {"caretinview", [&] { e.ScrollCaret(); }},
          {"focusin", [&] { e.FocusIn(); }},
          {"blur", [&] { d.Window.HasFocus = false; }},
          {"rightpress", [&] { e.MouseDown(TMouseButton::Right, 0, 10, 10); }},
          {"dblclick", [&] { e.DoubleClick(TMouseButton::Left, 0, 10, 10); }},
          {"focusout", [&] { e.FocusOut(); }},
          {"tick", [&] { e.CaretTick(); }},
          {"unpaint", [&] { d.Window.Invalidated.clear(); }},
          {"hideunderline", [&] { e.BeginUnderlineHide(); }},
          {"showunderline", [&] { e.EndUnderlineHide(); }},
          // The rows and the line view, as the program's other parts edit them.
          {"replace", [&] { e.ListInfo().ReplaceText(number(0), number(1), ParseQuoted(word).Text); }},
          {"linsert", [&] { e.Lines().Insert(number(0), ParseQuoted(word).Text); }},
          {"ldelete", [&] { e.Lines().Delete(number(0)); }},
          {"lput", [&] { e.Lines().SetStrings(number(0), ParseQuoted(word).Text); }},
          {"ladd", [&] { e.Lines().Add(ParseQuoted(word).Text); }},
          {"settext", [&] { e.Lines().SetText(ParseQuoted(word).Text); }},
          {"clear", [&] { e.Lines().Clear(); }},
          {"assign",
           [&] {
             TStringList list;
             list.SetText(ParseQuoted(word).Text);
             e.Lines().Assign(list);
           }},
          {"beginupdate", [&] { e.Lines().BeginUpdate(); }},
          {"endupdate", [&] { e.Lines().EndUpdate(); }},
          {"setmodified", [&] { e.SetModified(number(0) != 0); }},
          {"load",  // the bytes from a file; without them, from a file that is not there
           [&] {
             static const test_support::TempDir dir;
             std::filesystem::path path = dir / "missing";
             if (word.find('\'') != std::string::npos) {
               path = dir / "loaded";
               std::ofstream(path, std::ios::binary) << ParseQuoted(word).Text;
             }
             FLoaded = e.Lines().LoadFromFile(path);
           }},
          {"wrapon", [&] { e.SetWordWrap(true); }},
          {"wrapoff", [&] { e.SetWordWrap(false); }},
          {"wrapbyte", [&] { e.WrapOption().SetWrapByte(number(0)); }},
          {"marks",
           [&] {
             e.ListInfo().SetRowMarks(number(0), static_cast<TRowMarks>(number(1)));
             e.ListInfo().IncludeListMarks(static_cast<TRowMarks>(number(1)));
           }},
          {"ro", [&] { e.SetReadOnly(true); }},
          {"Undo", [&] { e.Undo(); }},
          {"undomax", [&] { e.SetUndoListMax(number(0)); }},
          {"Redo", [&] { e.Redo(); }},
          {"Copy", [&] { e.CopyToClipboard(); }},
          {"Cut", [&] { e.CutToClipboard(); }},
          {"Paste", [&] { e.PasteFromClipboard(); }},
          {"BoxPaste", [&] { e.BoxPasteFromClipboard(); }},
          {"SelectAll", [&] { e.SelectAll(); }},
          {"Clear", [&] { e.DeleteSelection(); }},
          {"tabwidth", [&] { e.Caret().SetTabSpaceCount(number(0)); }},
          {"hitlength", [&] { e.SetHitLength(number(0)); }},
          {"hitcaret", [&] { e.SetHitStyle(hsCaret); }},
          {"putmark", [&] { e.PutRowMark(number(0)); }},
          {"gotomark", [&] { e.GotoRowMark(number(0)); }},
          // The edit-control messages.
          {"setsel", [&] { m.SetSel(number(0), number(1)); }},
          {"mcut", [&] { m.Cut(); }},
          {"mcopy", [&] { m.Copy(); }},
          {"mpaste", [&] { m.Paste(); }},
          {"mclear", [&] { m.Clear(); }},
          {"mreplace", [&] { m.ReplaceSel(ParseQuoted(word).Text); }},
          {"msettext", [&] { m.SetText(ParseQuoted(word).Text); }},
          {"mreadonly", [&] { m.SetReadOnly(number(0) != 0); }},
          {"mmodify", [&] { m.SetModify(number(0) != 0); }},
          {"mempty", [&] { m.EmptyUndoBuffer(); }},
      };
      commands.at(c.Name)();
    }
  }

  bool FLoaded = false;
  int FMouseDowns = 0;
  int FRepaintsAtLoad = 0;
};

TEST(EditingTable, EveryCaseGivesItsText) {
  std::vector<std::string> settings;
  int cases = 0;
  for (const test::TTableLine& line : test::ReadTable("editing.txt")) {
    const std::vector<std::string>& w = line.Words;
    if (w[0] == "@") {
      settings.assign(w.begin() + 1, w.end());
      continue;
    }
    ++cases;
    SCOPED_TRACE("editing.txt:" + std::to_string(line.Number));
    const auto arrow = std::find(w.begin(), w.end(), "=>");
    ASSERT_NE(arrow, w.end()) << "no =>";
    ASSERT_NE(arrow + 1, w.end()) << "no expected text";
    TCase c(settings);
    const test::TMarkedText in = ParseQuoted(w[0], true);
    c.Load(in);
    for (auto word = w.begin() + 1; word != arrow; ++word) c.Run(*word);
    if (*(arrow + 1) != "*") {  // "*": only the checks after it count
      const test::TMarkedText expected = ParseQuoted(*(arrow + 1), true);
      const test::TMarkedText got = c.Result();
      EXPECT_TRUE(got.Text == expected.Text && got.Caret == expected.Caret && got.SelStart == expected.SelStart &&
                  got.SelEnd == expected.SelEnd)
          << "got " << test::ShowMarked(got);
    }
    for (auto word = arrow + 2; word != w.end(); ++word) {
      const std::string found = c.Check(*word, in.Text);
      EXPECT_EQ(found, "") << "expected " << *word;
    }
  }
  EXPECT_GT(cases, 0);
}

}  // namespace
}  // namespace editor
