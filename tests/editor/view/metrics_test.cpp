// The metrics arithmetic: whole cells and rows of the text area from the measured font, the margins,
// the bars and the scroll bars, case by case from tests/data/view.txt. (The line number bar's width and
// the ruler's height taken from the font are cases of editing.txt, through the control's window.)
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editor/view/editor_metrics.h"
#include "support/case_table.h"

namespace editor {
namespace {

TEST(Metrics, EveryCaseGivesItsMeasures) {
  for (const test_support::TRow& row : test_support::Rows("view.txt", "metrics")) {
    TMetricsInput input{.Font = TFontMetrics{16, 0, 8, 13},
                        .MarginLeft = 8,
                        .MarginTop = 2,
                        .ClientWidth = row.Int(0),
                        .ClientHeight = row.Int(1)};
    const std::map<std::string, int*> settings = {
        {"height", &input.Font.Height},         {"avechar", &input.Font.AveCharWidth},
        {"ascent", &input.Font.Ascent},         {"extleading", &input.Font.ExternalLeading},
        {"marginchar", &input.MarginCharacter}, {"marginline", &input.MarginLine},
        {"marginleft", &input.MarginLeft},      {"margintop", &input.MarginTop},
        {"underline", &input.UnderlineSpace},   {"imagebar", &input.ImagebarWidth},
        {"leftbar", &input.LeftbarWidth},       {"ruler", &input.RulerHeight},
        {"hbar", &input.HorzScrollBarHeight},   {"vbar", &input.VertScrollBarWidth}};
    std::size_t i = 2;
    for (; row[i] != "=>"; ++i) {
      const std::size_t eq = row[i].find('=');
      *settings.at(row[i].substr(0, eq)) = std::stoi(row[i].substr(eq + 1));
    }
    const TEditorMetrics m = ComputeMetrics(input);
    const std::map<std::string, int> found = {
        {"rows", m.VisibleRows},    {"cols", m.VisibleCols},  {"fontheight", m.FontHeight}, {"colwidth", m.ColWidth},
        {"rowheight", m.RowHeight}, {"textleft", m.TextLeft}, {"topmargin", m.TopMargin}};
    for (++i; i < row.Size(); ++i) {
      const std::size_t eq = row[i].find('=');
      EXPECT_EQ(found.at(row[i].substr(0, eq)), std::stoi(row[i].substr(eq + 1))) << row.Where() << " " << row[i];
    }
  }
}

}  // namespace
}  // namespace editor
