// The reasons the note window's messages give for a file that failed (the messages themselves, and where
// the pages went, are scenarios of tests/data/note_window.txt).
#include <gtest/gtest.h>

#include "app/safety_messages.h"
#include "support/case_table.h"

namespace app_test {
namespace {

TEST(SafetyMessages, ReasonsAreJapaneseWhereTheProgramKnowsThemAndTheSystemsOwnWordsFollow) {
  for (const test_support::TRow& row : test_support::Rows("window.txt", "reason")) {
    const platform::FileResult failure = row[0] == "-" ? platform::FileResult::Failure(row.Text(1))
                                         : row.Int(0) == 0
                                             ? platform::FileResult::Failure("cannot write", "/f", row.Text(1))
                                             : platform::FileResult::Failure("cannot write", "/f", row.Int(0));
    EXPECT_EQ(app::ReasonText(failure), QString::fromStdString(row.Text(2))) << row.Where();
  }
}

}  // namespace
}  // namespace app_test
