// A failed assertion stops the process with what failed and where; the
// record accessors and the table writer stop through it on offsets and
// tables no reader or builder makes.
#include <gtest/gtest.h>

#include "runtime/assertion.h"
#include "window/form_description.h"

namespace mnemora {
namespace {

TEST(AssertionDeathTest, AFailedAssertionNamesTheConditionAndItsPlace) {
  const int words = 17;
  EXPECT_DEATH(MNEMORA_ASSERT(words <= 16),
               "Mnemora: assertion failed: words <= 16, at .*assertion_test\\.cpp:[0-9]+");
  MNEMORA_ASSERT(words == 17);  // a condition that holds goes on
}

TEST(AssertionDeathTest, RecordAccessOutsideTheRecordStops) {
  Bytes record(6, 0);
  EXPECT_EQ(ReadRecordDword(record, 2), 0u);
  EXPECT_DEATH(ReadRecordDword(record, 3), "assertion failed: offset <= record.size\\(\\)");
  EXPECT_DEATH(WriteRecordDword(&record, 7, 1), "assertion failed");
  EXPECT_DEATH(ReplaceRecordBytes(&record, 4, 3, Bytes{}), "assertion failed");
}

TEST(AssertionDeathTest, ATableWithoutOneRecordPerIdIsNeverWritten) {
  WindowDescription window;
  window.windowId = 0x52010001;
  window.table.ids = {0x06010000, 0x16010001};
  window.table.records = {Bytes(4, 0)};
  EXPECT_DEATH(WriteWindowSet({window}), "ids.size\\(\\) == table.records.size\\(\\)");
}

}  // namespace
}  // namespace mnemora
