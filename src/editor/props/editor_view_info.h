// The View property object of the editor: the built-in colour scheme, which it owns and listens to.
#pragma once

#include <string>

#include "editor/base/notify.h"
#include "editor/syntax/fountain.h"

namespace editor {

// Reads and writes the properties of the same names of its own TEditorFountain. Any change inside the
// scheme (colours, brackets, switches, strings, reserved words) is a change of View.
class TEditorViewInfo : public TNotifyPersistent {
 public:
  TEditorViewInfo();
  ~TEditorViewInfo() override;

  TEditorFountain& Fountain() { return FFountain; }
  const TEditorFountain& Fountain() const { return FFountain; }

  TEditorBracketCollection& Brackets() { return FFountain.Brackets(); }
  const TEditorBracketCollection& Brackets() const { return FFountain.Brackets(); }
  void SetBrackets(const TFountainBracketCollection& value) { FFountain.SetBrackets(value); }
  TEditorColors& Colors() { return FFountain.Colors(); }
  const TEditorColors& Colors() const { return FFountain.Colors(); }
  void SetColors(const TEditorColors& value) { FFountain.SetColors(value); }
  const std::string& Commenter() const { return FFountain.Commenter(); }
  void SetCommenter(const std::string& value) { FFountain.SetCommenter(value); }
  bool ControlCode() const { return FFountain.ControlCode(); }
  void SetControlCode(bool value) { FFountain.SetControlCode(value); }
  const std::string& HexPrefix() const { return FFountain.HexPrefix(); }
  void SetHexPrefix(const std::string& value) { FFountain.SetHexPrefix(value); }
  bool Mail() const { return FFountain.Mail(); }
  void SetMail(bool value) { FFountain.SetMail(value); }
  const std::string& Quotation() const { return FFountain.Quotation(); }
  // Keeps only the first character of value (both bytes of a double-byte one, never half of it).
  void SetQuotation(const std::string& value);
  bool Url() const { return FFountain.Url(); }
  void SetUrl(bool value) { FFountain.SetUrl(value); }

  // Copies the brackets, colours, strings and switches, reporting once.
  void Assign(const TPersistent& source) override;

 private:
  void FountainChanged(TObject* sender);

  TEditorFountain FFountain;
};

}  // namespace editor
