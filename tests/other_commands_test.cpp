#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "commands/command_catalogue.h"
#include "commands/format_text_command.h"
#include "commands/keyed_list_commands.h"
#include "commands/memory_commands.h"
#include "commands/thread_commands.h"
#include "runtime/runtime_app.h"
#include "runtime/support_libraries.h"
#include "tests/command_test_support.h"

namespace mnemora {
namespace {

using testing_support::Call;
using testing_support::TakeText;

ArgValue T(const char* text) {
  return ArgValue::Text(text);
}
ArgValue I(int32_t value) {
  return ArgValue::Integer(value);
}

// Counts the heap's blocks, so that a test can see every one given back.
int g_live = 0;
void* CountedAllocate(size_t size) {
  ++g_live;
  return std::malloc(size == 0 ? 1 : size);
}
void* CountedReallocate(void* block, size_t size) {
  return std::realloc(block, size == 0 ? 1 : size);
}
void CountedRelease(void* block) {
  --g_live;
  std::free(block);
}

class KeyedListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = RuntimeHeap();
    SetRuntimeHeap(HeapSeam{CountedAllocate, CountedReallocate, CountedRelease});
    g_live = 0;
    Call(CreateKeyedList, {Variable()});
  }
  void TearDown() override {
    Call(FreeKeyedList, {Variable()});
    EXPECT_EQ(list_, nullptr);
    EXPECT_EQ(g_live, 0) << "blocks left after FreeKeyedList";
    SetRuntimeHeap(saved_);
  }

  ArgValue Variable() { return ArgValue::Pointer(&list_, 0x00030001); }
  bool Add(const ArgValue& key, const ArgValue& value) {
    return Call(AddKeyedValue, {Variable(), key, value}).low != 0;
  }
  const KeyedEntry* Entry(size_t index) const {
    const KeyedEntry* entry = list_->first;
    for (size_t i = 0; i < index && entry != nullptr; ++i) {
      entry = entry->next;
    }
    return entry;
  }
  std::string KeyAt(size_t index) const { return Entry(index)->key; }

  KeyedListHead* list_ = nullptr;
  HeapSeam saved_{};
};

TEST_F(KeyedListTest, KeysAreExactAndUniqueAndKeepTheirOrder) {
  ASSERT_NE(list_, nullptr);
  EXPECT_EQ(list_->first, nullptr);
  EXPECT_TRUE(Add(T("mov"), ArgValue::Boolean(true)));
  EXPECT_FALSE(Add(T("mov"), ArgValue::Boolean(true)));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kDuplicateKey);
  EXPECT_TRUE(Add(T("MOV"), ArgValue::Boolean(true)));
  EXPECT_TRUE(Add(T("mo"), ArgValue::Boolean(true)));
  EXPECT_TRUE(Add(T(""), ArgValue::Boolean(true)));
  EXPECT_FALSE(Add(T(""), ArgValue::Boolean(true)));
  EXPECT_TRUE(Add(T("汇编"), ArgValue::Boolean(true)));
  EXPECT_EQ(KeyAt(0), "mov");
  EXPECT_EQ(KeyAt(1), "MOV");
  EXPECT_EQ(KeyAt(2), "mo");
  EXPECT_EQ(KeyAt(3), "");
  EXPECT_EQ(KeyAt(4), "汇编");
  EXPECT_EQ(Entry(5), nullptr);
}

TEST_F(KeyedListTest, ALongListStillFindsEveryDuplicateAndKeepsInsertionOrder) {
  // Enough keys for the index to grow many times; every key comes twice,
  // the second time long after the first.
  constexpr int kKeys = 5000;
  const auto keyAt = [](int i) {
    std::string key = "K";
    key += std::to_string(i * 7919 % kKeys);
    return key;
  };
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < kKeys; ++i) {
      EXPECT_EQ(Add(T(keyAt(i).c_str()), I(round)), round == 0) << keyAt(i);
    }
  }
  const KeyedEntry* entry = list_->first;
  for (int i = 0; i < kKeys; ++i, entry = entry->next) {
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::string(entry->key), keyAt(i));
  }
  EXPECT_EQ(entry, nullptr);
}

TEST_F(KeyedListTest, ValuesAreStoredByKindAndNumbersAsDoubles) {
  const char text[] = "注释";
  void* bytes = MakeByteSet("a\0b", 3);
  ASSERT_TRUE(Add(T("integer"), I(3)));
  ASSERT_TRUE(Add(T("byte"), ArgValue{0xFFFFFFC8, 0, type_code::kByte}));
  ASSERT_TRUE(Add(T("long"), ArgValue::Long(-9000000000)));
  ASSERT_TRUE(Add(T("float"), ArgValue::Float(0.5f)));
  ASSERT_TRUE(Add(T("boolean"), ArgValue{7, 0, type_code::kBoolean}));
  ASSERT_TRUE(Add(T("date"), ArgValue::DateTime(36526.5)));
  ASSERT_TRUE(Add(T("text"), T(text)));
  ASSERT_TRUE(Add(T("bytes"), ArgValue::ByteSet(bytes)));
  MemFree(bytes);

  auto number = [this](size_t i) {
    EXPECT_EQ(Entry(i)->kind, KeyedValueKind::kNumber) << i;
    double d;
    std::memcpy(&d, Entry(i)->value, sizeof d);
    return d;
  };
  EXPECT_EQ(number(0), 3.0);
  EXPECT_EQ(number(1), 200.0);
  EXPECT_EQ(number(2), -9000000000.0);
  EXPECT_EQ(number(3), 0.5);
  EXPECT_EQ(Entry(4)->kind, KeyedValueKind::kBoolean);
  EXPECT_EQ(*static_cast<const uint32_t*>(Entry(4)->value), 7u);
  EXPECT_EQ(Entry(5)->kind, KeyedValueKind::kDateTime);
  double date;
  std::memcpy(&date, Entry(5)->value, sizeof date);
  EXPECT_EQ(date, 36526.5);
  EXPECT_EQ(Entry(6)->kind, KeyedValueKind::kText);
  EXPECT_NE(Entry(6)->value, text);  // an owned copy
  EXPECT_STREQ(static_cast<const char*>(Entry(6)->value), "注释");
  EXPECT_EQ(Entry(7)->kind, KeyedValueKind::kByteSet);
  const auto* stored = static_cast<const uint8_t*>(Entry(7)->value);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored), 7), std::string("\3\0\0\0a\0b", 7));
}

TEST_F(KeyedListTest, FailuresSetTheLastErrorAndSuccessKeepsIt) {
  EXPECT_FALSE(Add(T("x"), ArgValue{1, 0, type_code::kWindowReference}));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kValueTypeNotStorable);
  EXPECT_FALSE(
      Add(T("x"), ArgValue::Pointer(nullptr, type_code::kInteger | type_code::kArrayFlag)));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kValueTypeNotStorable);
  EXPECT_TRUE(Add(T("x"), I(1)));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kValueTypeNotStorable);
  // The value's type is judged before the key is looked for.
  EXPECT_FALSE(Add(T("x"), ArgValue{0, 0, type_code::kSubroutine}));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kValueTypeNotStorable);

  EXPECT_FALSE(Add(ArgValue::None(), I(1)));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kMissingListOrKey);
  EXPECT_FALSE(Add(T("x"), I(2)));
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kDuplicateKey);
  KeyedListHead* none = nullptr;
  EXPECT_EQ(Call(AddKeyedValue, {ArgValue::Pointer(&none, 0x00030001), T("y"), I(1)}).low, 0u);
  EXPECT_EQ(KeyedListLastError(), keyed_list_error::kMissingListOrKey);
  EXPECT_EQ(Entry(1), nullptr);
}

struct ThreadProbe {
  HANDLE done;
  void* seen;
  DWORD threadId;
};
ThreadProbe g_probe{};

DWORD WINAPI RecordParameter(void* parameter) {
  g_probe.seen = parameter;
  g_probe.threadId = GetCurrentThreadId();
  SetEvent(g_probe.done);
  return 42;
}

// Whether any handle of this process still refers to the thread. Handle
// values are small multiples of 4, and an exited thread's object lives on
// exactly as long as a handle to it does.
bool ProcessHoldsHandleTo(DWORD threadId) {
  for (uintptr_t value = 4; value < 0x4000; value += 4) {
    if (GetThreadId(reinterpret_cast<HANDLE>(value)) == threadId) {
      return true;
    }
  }
  return false;
}

TEST(StartThreadTest, HandleIsClosedUnlessAVariableTakesIt) {
  g_probe.done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const ArgValue subroutine =
      ArgValue::Pointer(reinterpret_cast<const void*>(&RecordParameter), type_code::kSubroutine);
  EXPECT_EQ(Call(StartThread, {subroutine, I(-7)}).low, 1u);
  ASSERT_EQ(WaitForSingleObject(g_probe.done, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(g_probe.seen, reinterpret_cast<void*>(static_cast<uintptr_t>(0xFFFFFFF9u)));
  EXPECT_FALSE(ProcessHoldsHandleTo(g_probe.threadId));

  // With a variable the handle stays open, and a parameter kept in both
  // value words arrives whole.
  int32_t handleVariable = 0;
  int anchor = 0;
  EXPECT_EQ(Call(StartThread, {subroutine, ArgValue::Pointer(&anchor, type_code::kInteger),
                               ArgValue::Pointer(&handleVariable, type_code::kInteger)})
                .low,
            1u);
  const auto thread = reinterpret_cast<HANDLE>(static_cast<intptr_t>(handleVariable));
  ASSERT_EQ(WaitForSingleObject(g_probe.done, 5000), WAIT_OBJECT_0);
  ASSERT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
  EXPECT_TRUE(ProcessHoldsHandleTo(g_probe.threadId));
  DWORD exitCode = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &exitCode));
  EXPECT_EQ(exitCode, 42u);
  EXPECT_EQ(g_probe.seen, &anchor);
  CloseHandle(thread);

  EXPECT_EQ(Call(StartThread, {subroutine}).low, 1u);
  ASSERT_EQ(WaitForSingleObject(g_probe.done, 5000), WAIT_OBJECT_0);
  EXPECT_EQ(g_probe.seen, nullptr);
  EXPECT_EQ(Call(StartThread, {ArgValue{0, 0, type_code::kSubroutine}}).low, 0u);
  CloseHandle(g_probe.done);
}

// A heap whose blocks arrive filled with 0xCD, so that a missing zero fill
// shows; and one that has no memory at all.
void* PatternAllocate(size_t size) {
  void* block = std::malloc(size);
  std::memset(block, 0xCD, size);
  return block;
}
void* NoMemory(size_t) {
  return nullptr;
}
void* NoReallocation(void*, size_t) {
  return nullptr;
}
// Pages at the top of the address space: above 4 GB on the 64-bit build.
void* TopDownAllocate(size_t size) {
  return VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE);
}
void TopDownRelease(void* block) {
  VirtualFree(block, 0, MEM_RELEASE);
}

class AllocateMemoryTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = RuntimeHeap(); }
  void TearDown() override { SetRuntimeHeap(saved_); }
  HeapSeam saved_{};
};

TEST_F(AllocateMemoryTest, SizesBelowOneGiveZeroAndZeroFillIsOnRequest) {
  SetRuntimeHeap(HeapSeam{PatternAllocate, std::realloc, std::free});
  EXPECT_EQ(Call(AllocateMemory, {I(0)}).Bits(), 0u);
  EXPECT_EQ(Call(AllocateMemory, {I(-4), ArgValue::Boolean(true)}).Bits(), 0u);

  const ArgValue zeroed = Call(AllocateMemory, {I(16), ArgValue::Boolean(true)});
  EXPECT_EQ(zeroed.type, type_code::kInteger);
  const auto* bytes = static_cast<const uint8_t*>(zeroed.AsPointer());
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 16), std::string(16, '\0'));
  const ArgValue raw = Call(AllocateMemory, {I(4), ArgValue::Boolean(false)});
  EXPECT_EQ(std::memcmp(raw.AsPointer(), "\xCD\xCD\xCD\xCD", 4), 0);
  std::free(zeroed.AsPointer());
  std::free(raw.AsPointer());
}

TEST_F(AllocateMemoryTest, FailureIsZeroWithoutAReport) {
  SetRuntimeHeap(HeapSeam{NoMemory, NoReallocation, std::free});
  // A report would end this test program here.
  EXPECT_EQ(Call(AllocateMemory, {I(64), ArgValue::Boolean(true)}).Bits(), 0u);
}

TEST_F(AllocateMemoryTest, AddressFillsBothValueWords) {
  SetRuntimeHeap(HeapSeam{TopDownAllocate, NoReallocation, TopDownRelease});
  const ArgValue result = Call(AllocateMemory, {I(4096)});
  void* block = result.AsPointer();
  ASSERT_NE(block, nullptr);
#if defined(_WIN64)
  EXPECT_NE(result.high, 0u) << "the block should lie above 4 GB";
#endif
  EXPECT_EQ(result.Bits(), reinterpret_cast<uintptr_t>(block));
  static_cast<volatile uint8_t*>(block)[4095] = 1;  // the whole block is usable
  TopDownRelease(block);
}

std::string Format(std::initializer_list<ArgValue> args) {
  return TakeText(Call(FormatText, args));
}

TEST(FormatTextTest, WellFormedCallsFormatAsPrintfDoes) {
  EXPECT_EQ(Format({T("Name:%s   Value:%d"), T("abc"), I(7)}), "Name:abc   Value:7");
  EXPECT_EQ(Format({T("名称：%s"), T("汇编")}), "名称：汇编");
  EXPECT_EQ(Format({T("%d|%d|%d|%u"), ArgValue{0xFFFFFFC8, 0, type_code::kByte},
                    ArgValue{0xFFFE, 0, type_code::kShort}, ArgValue::Boolean(true), I(-1)}),
            "200|-2|1|4294967295");
  EXPECT_EQ(Format({T("%5.1f|%-4d|%x|%X|%o|%c|%%|%e"), ArgValue::Float(2.3f), I(3), I(255), I(255),
                    I(8), I('A'), ArgValue::Double(1.0)}),
            "  2.3|3   |ff|FF|10|A|%|1.000000e+00");
  EXPECT_EQ(Format({T("%*d|%.*f|%ld|%hd|%lf"), I(5), I(42), I(2), ArgValue::Double(3.14159), I(9),
                    I(65537), ArgValue::Double(0.5)}),
            "   42|3.14|9|1|0.500000");
  EXPECT_EQ(Format({T("%d"), I(1), I(2), T("extra")}), "1");
  int anchor = 0;
  char expected[32];
  std::snprintf(expected, sizeof expected, "%p", static_cast<void*>(&anchor));
  EXPECT_EQ(Format({T("%p"), ArgValue::Pointer(&anchor, type_code::kInteger)}), expected);
}

TEST(FormatTextTest, WideOutputIsNeverCutOrOverrun) {
  const std::string wide = Format({T("%300d|%s"), I(1), T("abc")});
  EXPECT_EQ(wide, std::string(299, ' ') + "1|abc");
  const std::string longText(1000, 'x');
  EXPECT_EQ(Format({T("<%s>"), T(longText.c_str())}), "<" + longText + ">");
}

// Found by fuzzing: a width of two thousand million asked for a block of
// that size, after padding it out once to measure it. Widths, precisions
// and results above 16 MiB are refused as faults.
TEST(FormatTextTest, AWidthAskingForGigabytesGivesTheEmptyText) {
  EXPECT_EQ(Format({T("%2079437834o"), I(1)}), "(null)");
  EXPECT_EQ(Format({T("%*d"), I(2000000000), I(1)}), "(null)");
  EXPECT_EQ(Format({T("%-*d"), I(-2000000000), I(1)}), "(null)");
  EXPECT_EQ(Format({T("%.99999999999999999999f"), ArgValue::Double(1)}), "(null)");
  EXPECT_EQ(Format({T("%16777217d"), I(1)}), "(null)");
  EXPECT_EQ(Format({T("%65536d"), I(7)}).size(), 65536u);
}

TEST(FormatTextTest, MismatchedOrUnsafeConversionsGiveTheEmptyText) {
  const ArgValue integer = I(1);
  const ArgValue text = T("abc");
  const std::initializer_list<ArgValue> refused[] = {
      {T("%s"), integer},  // would read the integer as an address
      {T("%d"), text},     // would print an address
      {T("%f"), integer},        {T("%d"), ArgValue::Double(1)},
      {T("%d %d"), integer},  // nothing for the second
      {T("%n"), integer},        {T("%q"), integer},
      {T("%lld"), integer},      {T("%ls"), text},
      {T("%*d"), text, integer}, {T("%p"), text},
      {T("abc%"), integer},      {T("%d"), ArgValue{1, 2, type_code::kWindowReference}},
  };
  for (const auto& args : refused) {
    EXPECT_EQ(Format(args), "(null)") << args.begin()->AsText();
  }
  // These values give the empty text even when nothing asks for them.
  void* bytes = MakeByteSet("a", 1);
  EXPECT_EQ(Format({T("x"), ArgValue::Long(1)}), "(null)");
  EXPECT_EQ(Format({T("%d"), integer, ArgValue::DateTime(1)}), "(null)");
  EXPECT_EQ(Format({T("%s"), text, ArgValue::ByteSet(bytes)}), "(null)");
  MemFree(bytes);
}

TEST(FormatTextTest, EmptyOutputIsTheNullText) {
  EXPECT_EQ(Format({T("")}), "(null)");
  EXPECT_EQ(Format({T("%s"), T("")}), "(null)");
  EXPECT_EQ(Format({T("%c%s"), I(0), T("ab")}), "(null)");
  EXPECT_EQ(Format({T("ab%cd"), I(0)}), "ab");
  EXPECT_EQ(Format({}), "(null)");
}

TEST(CommandCatalogueTest, NamesAreUniqueAndLibrariesComplete) {
  std::set<std::string> names;
  int perLibrary[kSupportLibraryCount] = {};
  for (const CatalogueEntry& entry : CommandCatalogue()) {
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    ASSERT_GE(entry.library, 0);
    ASSERT_LT(entry.library, static_cast<int32_t>(kSupportLibraryCount));
    ++perLibrary[entry.library];
    EXPECT_NE(entry.command, nullptr) << entry.name;
  }
  EXPECT_EQ(perLibrary[library_index::kCore], 31);
  EXPECT_EQ(perLibrary[library_index::kExtendedUi], 0);
  EXPECT_EQ(perLibrary[library_index::kDataStructure], 3);
  EXPECT_EQ(perLibrary[library_index::kThread], 1);
  EXPECT_EQ(perLibrary[library_index::kSpecialFunction], 1);
  EXPECT_EQ(perLibrary[library_index::kApi], 1);
  EXPECT_EQ(FindCommand("NoSuchCommand"), nullptr);

  // Each library's record lists exactly its commands of the catalogue.
  const LibraryInfo* const* libraries = SupportLibraryTable();
  for (uint32_t i = 0; i < kSupportLibraryCount; ++i) {
    ASSERT_EQ(libraries[i]->commandCount, static_cast<uint32_t>(perLibrary[i])) << i;
    for (uint32_t c = 0; c < libraries[i]->commandCount; ++c) {
      EXPECT_EQ(FindCommand(libraries[i]->commandNames[c])->library, static_cast<int32_t>(i));
    }
  }
}

TEST(SupportLibrariesTest, UnitKindsResolveThroughTheLibraryTable) {
  RuntimeApp& app = TheRuntimeApp();
  app.libraries.assign(SupportLibraryTable(), SupportLibraryTable() + kSupportLibraryCount);
  const UnitTypeDescriptor* window = ResolveUnitKind(0x00010001);
  ASSERT_NE(window, nullptr);
  EXPECT_STREQ(window->name, "窗口");
  EXPECT_EQ(window->stateFlags, 0x800000D0u);
  EXPECT_EQ(window->propertyCount, 32u);
  EXPECT_EQ(ResolveUnitKind(0x00010003), nullptr);  // menu items need no descriptor
  EXPECT_EQ(ResolveUnitKind(0x00070001), nullptr);
  app.libraries.clear();
}

TEST(CommandCatalogueTest, EntriesReachTheirCommandsThroughTheCallEntries) {
  ArgValue split[] = {T("a,b,c")};
  const CatalogueEntry* entry = FindCommand("SplitText");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(testing_support::TakeTextArray(kEntryTable.CallCoreCommand(entry->command, 1, split)),
            (std::vector<std::string>{"a", "b", "c"}));

  ArgValue format[] = {T("%d-%s"), I(5), T("x")};
  entry = FindCommand("FormatText");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->library, library_index::kApi);
  EXPECT_EQ(TakeText(kEntryTable.CallLibraryCommand(entry->command, entry->library, 3, format)),
            "5-x");
  EXPECT_EQ(FindCommand("AddKeyedValue")->kind, CommandKind::kKeyedListMethod);
}

}  // namespace
}  // namespace mnemora
