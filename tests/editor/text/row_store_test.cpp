// The chunked row store and the row list over it against a plain vector of rows: random splices of any
// size (so chunks split, merge and vanish), byte edits (now and then bringing a tab, which the store
// tracks), swaps, loads over a cleared store and the side table of scan texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "editor/text/row_attribute_string_list.h"
#include "editor/text/row_store.h"
#include "support/random_text.h"

namespace editor {
namespace {

struct TModelRow {
  std::string Text;
  TRowWords Words;
};
using TModel = std::vector<TModelRow>;

// Rows of 0 .. 60 bytes, now and then one of a few kilobytes (a row may outgrow a chunk on its own).
std::string RandomRow(test::TRandomText& random) {
  const int length = random.Chance(3) ? random.Between(2000, 12000) : random.Below(61);
  return std::string(static_cast<std::size_t>(length), static_cast<char>('a' + random.Below(26)));
}

TRowWords RandomWords(test::TRandomText& random) {
  return {static_cast<std::uint32_t>(random.Below(1 << 30)), static_cast<std::uint32_t>(random.Below(1 << 30))};
}

void ExpectSame(const TRowStore& store, const TModel& model, int step) {
  ASSERT_EQ(store.Count(), static_cast<int>(model.size())) << "step " << step;
  // Rows read out of order too, so the remembered chunk is left again and again.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < model.size(); ++i) {
      const std::size_t row = pass == 0 ? i : (i * 7919) % model.size();
      ASSERT_EQ(store.Text(static_cast<int>(row)), model[row].Text) << "step " << step << " row " << row;
      ASSERT_EQ(store.Words(static_cast<int>(row)), model[row].Words) << "step " << step << " row " << row;
      // Whether a row starts without a tab: up to its first tab, and past it.
      const std::size_t tab = model[row].Text.find('\t');
      ASSERT_TRUE(store.TabFree(static_cast<int>(row), tab)) << "step " << step << " row " << row;
      if (tab != std::string::npos) {
        ASSERT_FALSE(store.TabFree(static_cast<int>(row), tab + 1)) << "step " << step << " row " << row;
      }
    }
  }
}

TEST(RowStore, RandomSplicesAndByteEditsKeepTheRowsOfAPlainVector) {
  test::TRandomText random(31337);
  for (int round = 0; round < 30; ++round) {
    TRowStore store, other;  // swapped now and then, each keeping its rows and where it read last
    TModel model, otherModel;
    for (int step = 0; step < 150; ++step) {
      const int count = static_cast<int>(model.size());
      if (count > 0 && random.Chance(30)) {
        const int row = random.Below(count);
        std::string& text = model[static_cast<std::size_t>(row)].Text;
        const auto index = static_cast<std::size_t>(random.Below(static_cast<int>(text.size()) + 1));
        const auto length = static_cast<std::size_t>(random.Below(static_cast<int>(text.size() - index) + 1));
        std::string bytes = RandomRow(random).substr(0, static_cast<std::size_t>(random.Below(20)));
        if (random.Chance(10)) bytes += '\t';
        text.replace(index, length, bytes);
        store.ReplaceBytes(row, index, length, bytes);
      } else {
        // Mostly a few rows; sometimes hundreds in or out at once.
        const int at = random.Below(count + 1);
        const int removed = random.Below(std::min(count - at, random.Chance(10) ? 400 : 3) + 1);
        const int added = random.Below(random.Chance(10) ? 400 : 4);
        TRowChunk rows;
        TModel fresh;
        for (int i = 0; i < added; ++i) {
          fresh.push_back({RandomRow(random), RandomWords(random)});
          rows.Add(fresh.back().Text, fresh.back().Words);
        }
        store.Replace(at, removed, rows);
        model.erase(model.begin() + at, model.begin() + at + removed);
        model.insert(model.begin() + at, fresh.begin(), fresh.end());
      }
      if (!model.empty() && random.Chance(20)) {
        const int row = random.Below(static_cast<int>(model.size()));
        const TRowWords words = RandomWords(random);
        model[static_cast<std::size_t>(row)].Words = words;
        store.Words(row) = words;
      }
      if (random.Chance(5)) {
        store.Swap(other);
        model.swap(otherModel);
      } else if (random.Chance(3)) {  // emptied and loaded again with the same rows
        store.Clear();
        TRowStoreLoader loader(store);
        for (const TModelRow& row : model) loader.Add(row.Text, row.Words);
      }
      ASSERT_NO_FATAL_FAILURE(ExpectSame(store, model, step)) << "round " << round;
    }
  }
}

// The row list keeps a row's scan text, row data and words with the row through inserts, deletes and
// swaps; a new text (Put) changes only the text. A fresh row has none of them.
TEST(RowStore, RowExtrasTravelWithTheirRows) {
  test::TRandomText random(4242);
  TEditorStringList list;
  struct TListRow {
    std::string Text, Scan;
    std::int32_t Data = 0;
    TRowWords Words;
  };
  std::vector<TListRow> model;
  for (int step = 0; step < 3000; ++step) {
    const int count = list.Count();
    const int op = random.Below(6);
    const int at = random.Below(count);
    TListRow* row = count > 0 ? &model[static_cast<std::size_t>(at)] : nullptr;
    if (op == 0 || count == 0) {
      const int before = random.Below(count + 1);
      TListRow fresh;
      fresh.Text = "r" + std::to_string(step);
      list.Insert(before, fresh.Text);
      model.insert(model.begin() + before, fresh);
    } else if (op == 1) {
      list.Delete(at);
      model.erase(model.begin() + at);
    } else if (op == 2) {
      const int other = random.Below(count);
      list.Exchange(at, other);
      std::swap(*row, model[static_cast<std::size_t>(other)]);
    } else if (op == 3) {
      row->Scan = random.Chance(30) ? "" : "s" + std::to_string(step);
      list.SetScanText(at, row->Scan);
    } else if (op == 4) {
      row->Text = "p" + std::to_string(step);
      list.SetStrings(at, row->Text);
    } else {
      row->Data = random.Chance(30) ? 0 : step;
      row->Words = RandomWords(random);
      list.SetRowData(at, row->Data);
      list.SetAttributeWord(at, row->Words.Attribute);
      list.SetSecondWord(at, row->Words.Attribute2);
    }
    ASSERT_EQ(list.Count(), static_cast<int>(model.size()));
    for (int r = 0; r < list.Count(); ++r) {
      const TListRow& expected = model[static_cast<std::size_t>(r)];
      ASSERT_EQ(list.RowText(r), expected.Text) << step;
      ASSERT_EQ(list.ScanText(r), expected.Scan) << step;
      ASSERT_EQ(list.RowData(r), expected.Data) << step;
      ASSERT_EQ(list.AttributeWord(r), expected.Words.Attribute) << step;
      ASSERT_EQ(list.SecondWord(r), expected.Words.Attribute2) << step;
    }
  }
}

}  // namespace
}  // namespace editor
