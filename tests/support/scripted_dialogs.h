// A dialog service for the Qt tests: scripted answers, and a record of what was asked.
#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <filesystem>
#include <optional>
#include <vector>

#include "editor/base/editor_font.h"
#include "qt/dialog_service.h"

namespace test_support {

// Answers every dialog from its queue and remembers what was shown, and whether the window stayed on top
// while it was open. Once cancelled, it shows nothing more and answers every dialog as cancelled.
class TScriptedDialogs : public qtui::TDialogService {
 public:
  struct TShown {
    QString Text;
    qtui::TMsgDlgType Type;  // mtCustom for a plain message box
    unsigned Buttons;
    bool WindowOnTop;
  };

  qtui::TModalResult MessageDlg(QWidget* parent, const QString& text, qtui::TMsgDlgType type,
                                unsigned buttons) override {
    if (Cancelled) return qtui::mrCancel;
    Shown.push_back({text, type, buttons, OnTop(parent)});
    if (Answers.empty()) return qtui::mrOk;
    const qtui::TModalResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowMessage(QWidget* parent, const QString& text) override {
    if (Cancelled) return;
    Shown.push_back({text, qtui::TMsgDlgType::mtCustom, qtui::mbOK, OnTop(parent)});
  }
  QString InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override {
    if (Cancelled) return initial;
    Shown.push_back({caption + QLatin1Char('|') + prompt + QLatin1Char('|') + initial, qtui::TMsgDlgType::mtCustom, 0,
                     OnTop(parent)});
    if (Inputs.empty()) return initial;  // cancelled
    const QString typed = Inputs.front();
    Inputs.pop_front();
    return typed;
  }
  std::optional<editor::TEditorFont> ChooseFont(QWidget*, const editor::TEditorFont& initial) override {
    FontOffered = initial;
    return Cancelled ? std::nullopt : Font;
  }
  std::optional<std::filesystem::path> OpenFile(QWidget*, const QString& filter) override {
    Filters.push_back(filter);
    return Cancelled ? std::nullopt : OpenPath;
  }
  std::optional<std::filesystem::path> SaveFile(QWidget*, const QString& filter, const QString& defaultExt) override {
    Filters.push_back(filter + QLatin1Char('|') + defaultExt);
    return Cancelled ? std::nullopt : SavePath;
  }
  void CancelAll() override { Cancelled = true; }

  std::vector<TShown> Shown;
  std::deque<qtui::TModalResult> Answers;
  std::deque<QString> Inputs;
  std::optional<editor::TEditorFont> Font;
  std::optional<editor::TEditorFont> FontOffered;
  std::optional<std::filesystem::path> OpenPath;
  std::optional<std::filesystem::path> SavePath;
  std::vector<QString> Filters;
  bool Cancelled = false;

 private:
  static bool OnTop(QWidget* parent) { return parent && parent->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

}  // namespace test_support
