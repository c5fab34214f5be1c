// Colour schemes: the base scheme (brackets, reserved words, listeners, its parser class) and the editor's
// built-in scheme with its colour set and switches.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/base/notify.h"
#include "editor/syntax/editor_colors.h"
#include "editor/syntax/file_ext_component.h"
#include "editor/syntax/fountain_color.h"

namespace editor {

class TFountainParser;

// A colour scheme. Every change of a record, a bracket, a setting or the word list reaches the listeners
// added with Add, once per change or once per BeginUpdate/EndUpdate batch, with the scheme as sender.
class TFountain : public TFileExtComponent {
 public:
  TFountain();
  ~TFountain() override;

  TFountainBracketCollection& Brackets() { return *FBrackets; }
  const TFountainBracketCollection& Brackets() const { return *FBrackets; }
  void SetBrackets(const TFountainBracketCollection& value) { FBrackets->Assign(value); }

  TFountainColor& Reserve() { return FReserve; }
  const TFountainColor& Reserve() const { return FReserve; }
  void SetReserve(const TFountainColor& value) { FReserve.Assign(value); }

  // The reserved words, sorted ignoring ASCII letter case.
  const std::vector<std::string>& ReserveWordList() const { return FReserveWordList; }
  // Takes a copy of the words and reports a change.
  void SetReserveWordList(std::vector<std::string> words);
  // Binary search of the list, ASCII letter case ignored.
  bool IsReserveWord(std::string_view word) const;

  void Add(TNotifyEvent listener) { FNotifyEventList.Add(listener); }
  void Remove(TNotifyEvent listener) { FNotifyEventList.Remove(listener); }
  int ListenerCount() const { return static_cast<int>(FNotifyEventList.Count()); }
  void BeginUpdate() { FNotifyEventList.BeginUpdate(); }
  void EndUpdate() { FNotifyEventList.EndUpdate(); }
  // The change sink of the scheme's parts.
  void ChangedProc(TObject* sender);
  // Grows with every change, so a parser can tell when to read the scheme again.
  std::uint64_t ChangeCount() const { return FChangeCount; }

  // A new parser of the scheme's parser class; the base scheme names none and gives nullptr.
  virtual std::unique_ptr<TFountainParser> CreateParser() const;
  // The colour records the scheme publishes.
  virtual std::vector<TNamedColor> ColorRecords();

 protected:
  // brackets: the collection class of the scheme (the base uses TFountainBracketCollection).
  explicit TFountain(std::unique_ptr<TFountainBracketCollection> brackets);
  void Changed() {
    ++FChangeCount;
    FNotifyEventList.Changed();
  }

 private:
  TNotifyEventList FNotifyEventList{this};
  std::unique_ptr<TFountainBracketCollection> FBrackets;
  TFountainColor FReserve;
  std::vector<std::string> FReserveWordList;
  std::uint64_t FChangeCount = 0;
};

// The editor's own scheme: the colour set, the comment leader, quotation mark, hex prefix and the
// control-code, mail and URL switches; its parser class is TEditorParser.
class TEditorFountain : public TFountain {
 public:
  TEditorFountain();

  TEditorBracketCollection& Brackets() { return static_cast<TEditorBracketCollection&>(TFountain::Brackets()); }
  const TEditorBracketCollection& Brackets() const {
    return static_cast<const TEditorBracketCollection&>(TFountain::Brackets());
  }

  TEditorColors& Colors() { return FColors; }
  const TEditorColors& Colors() const { return FColors; }
  void SetColors(const TEditorColors& value) { FColors.Assign(value); }

  const std::string& Commenter() const { return FCommenter; }
  bool ControlCode() const { return FControlCode; }
  const std::string& HexPrefix() const { return FHexPrefix; }
  bool Mail() const { return FMail; }
  const std::string& Quotation() const { return FQuotation; }
  bool Url() const { return FUrl; }
  void SetCommenter(const std::string& value);
  void SetControlCode(bool value);
  void SetHexPrefix(const std::string& value);
  void SetMail(bool value);
  void SetQuotation(const std::string& value);
  void SetUrl(bool value);

  // Set one value on every published record of Colors except Select and Hit (the selection and hit
  // colours are not token colours), telling the listeners once.
  void SetAllBkColors(TColor value);
  void SetAllColors(TColor value);
  void SetAllStyles(TFontStyles value);

  std::unique_ptr<TFountainParser> CreateParser() const override;
  std::vector<TNamedColor> ColorRecords() override;

 private:
  template <class TSetter>
  void SetAllTokenColors(TSetter set);

  TEditorColors FColors{this};
  std::string FCommenter;
  bool FControlCode = false;
  std::string FHexPrefix;
  bool FMail = false;
  std::string FQuotation;
  bool FUrl = false;
};

}  // namespace editor
