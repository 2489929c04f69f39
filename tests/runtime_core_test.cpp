#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/entry_table.h"
#include "runtime/error_report_text.h"
#include "runtime/error_table.h"
#include "runtime/heap_blocks.h"
#include "runtime/idle_callbacks.h"
#include "runtime/runtime_app.h"
#include "runtime/runtime_service.h"

namespace mnemora {
namespace {

TEST(PlatformTest, AnsiCodePageIsGbkAndLiteralsAreGbkBytes) {
  EXPECT_EQ(GetACP(), 936u);
  EXPECT_EQ(std::string("错误"), std::string("\xB4\xED\xCE\xF3"));
  EXPECT_EQ(std::string("：“”"), std::string("\xA3\xBA\xA1\xB0\xA1\xB1"));
}

// Commands used to watch what the command-call entries do.
void RecordEntryState(ArgValue* result, int32_t count, ArgValue* args) {
  // Reports whether the result record arrived zeroed, and the argument count.
  const bool zeroed = result->low == 0 && result->high == 0 && result->type == 0;
  *result = ArgValue::Integer(zeroed ? count : -1);
  (void)args;
}

void SetNothing(ArgValue*, int32_t, ArgValue*) {}

void SumIntegers(ArgValue* result, int32_t count, ArgValue* args) {
  int32_t sum = 0;
  for (int32_t i = 0; i < count; ++i) {
    sum += args[i].AsInt32();
  }
  *result = ArgValue::Integer(sum);
}

TEST(CommandCallTest, ResultIsZeroedAndHandedBackWhole) {
  ArgValue args[3] = {ArgValue::Integer(1), ArgValue::Integer(20), ArgValue::Integer(300)};
  const ArgValue seen = kEntryTable.CallCoreCommand(RecordEntryState, 3, args);
  EXPECT_EQ(seen.AsInt32(), 3);
  EXPECT_EQ(seen.type, type_code::kInteger);

  const ArgValue nothing = kEntryTable.CallCoreCommand(SetNothing, 0, args);
  EXPECT_EQ(nothing.low, 0u);
  EXPECT_EQ(nothing.high, 0u);
  EXPECT_EQ(nothing.type, 0u);
}

TEST(CommandCallTest, LibraryNumberDoesNotChangeTheResult) {
  ArgValue args[3] = {ArgValue::Integer(1), ArgValue::Integer(20), ArgValue::Integer(300)};
  for (int32_t library : {2, 3, 4, 5, 77}) {
    EXPECT_EQ(kEntryTable.CallLibraryCommand(SumIntegers, library, 3, args).AsInt32(), 321);
  }
}

void FirstExitRoutine() {}
void SecondExitRoutine() {}

TEST(RuntimeHelperTest, ExitRoutineIsListedOnceAndUnshareGoesThroughTheHelper) {
  RuntimeApp& app = TheRuntimeApp();
  app.exitRoutines.clear();
  const intptr_t first[] = {reinterpret_cast<intptr_t>(&FirstExitRoutine)};
  const intptr_t second[] = {reinterpret_cast<intptr_t>(&SecondExitRoutine)};
  kEntryTable.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, first);
  kEntryTable.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, second);
  kEntryTable.CallRuntimeHelper(runtime_helper::kRegisterExitRoutine, 1, first);
  ASSERT_EQ(app.exitRoutines.size(), 2u);
  EXPECT_EQ(app.exitRoutines[0], &FirstExitRoutine);
  EXPECT_EQ(app.exitRoutines[1], &SecondExitRoutine);
  app.exitRoutines.clear();

  static const uint32_t constantArray[] = {1, 2, 7, 8};
  SetConstantArea(constantArray, sizeof constantArray);
  void* variable = const_cast<uint32_t*>(constantArray);
  const intptr_t unshare[] = {4, reinterpret_cast<intptr_t>(&variable)};
  kEntryTable.CallRuntimeHelper(runtime_helper::kUnshareArray, 2, unshare);
  EXPECT_NE(variable, constantArray);
  EXPECT_EQ(static_cast<uint32_t*>(variable)[3], 8u);
  kEntryTable.MemFree(variable);
  ClearConstantArea();

  // The file-search helpers are not used by the application but must be safe.
  const intptr_t none[4] = {};
  EXPECT_EQ(kEntryTable.CallRuntimeHelper(runtime_helper::kNextFoundFile, 4, none), 0);
  EXPECT_EQ(kEntryTable.CallRuntimeHelper(runtime_helper::kCloseFileSearch, 1, none), 0);
}

UnitTypeDescriptor Descriptor(const char* name, uint32_t flags) {
  UnitTypeDescriptor d{};
  d.name = name;
  d.stateFlags = flags;
  return d;
}

TEST(RuntimeServiceTest, AnswersMemoryRunModeAndUnitKindClasses) {
  RuntimeApp& app = TheRuntimeApp();
  app.runMode = 3;
  EXPECT_EQ(RuntimeService(runtime_service::kRunMode, 0, 0), 3);

  auto* block = reinterpret_cast<char*>(RuntimeService(runtime_service::kAllocate, 16, 0));
  ASSERT_NE(block, nullptr);
  block = reinterpret_cast<char*>(
      RuntimeService(runtime_service::kReallocate, reinterpret_cast<intptr_t>(block), 64));
  ASSERT_NE(block, nullptr);
  RuntimeService(runtime_service::kFree, reinterpret_cast<intptr_t>(block), 0);
  EXPECT_EQ(RuntimeService(runtime_service::kAllocate, -1, 1), 0);  // quiet failure

  const UnitTypeDescriptor coreKinds[] = {Descriptor("窗口", 0x800000D0), Descriptor(nullptr, 0),
                                          Descriptor("可事件", 0x84)};
  const UnitTypeDescriptor extendedKinds[] = {Descriptor("无事件", 0x1000)};
  const LibraryInfo core{"", "core", nullptr, 3, coreKinds, 0, nullptr};
  const LibraryInfo extended{"", "extended-ui", nullptr, 1, extendedKinds, 0, nullptr};
  app.libraries = {&core, &extended};
  EXPECT_EQ(RuntimeService(runtime_service::kUnitKindClass, 0x00010001, 0), 1);  // bit 0x40
  EXPECT_EQ(RuntimeService(runtime_service::kUnitKindClass, 0x00010003, 0), 2);  // bit 0x4 first
  EXPECT_EQ(RuntimeService(runtime_service::kUnitKindClass, 0x00020001, 0), 0);
  EXPECT_EQ(RuntimeService(runtime_service::kUnitKindClass, 0x00010002, 0), 0);  // empty entry
  EXPECT_EQ(RuntimeService(runtime_service::kUnitKindClass, 0x00030001, 0), 0);  // no library
  EXPECT_EQ(RuntimeService(runtime_service::kUnitKindClass, 0x80000004, 0), 0);  // not a unit
  EXPECT_EQ(ResolveUnitKind(0x00010004), nullptr);
  app.libraries.clear();

  EXPECT_EQ(RuntimeService(1999, 5, 6), 0);
}

TEST(RuntimeServiceTest, SuppressionNeverGoesBelowZeroAndSuppressedEventsCallNothing) {
  RuntimeApp& app = TheRuntimeApp();
  app.eventSuppression = 0;
  RuntimeService(runtime_service::kAllowEvents, 0, 0);
  EXPECT_EQ(app.eventSuppression.load(), 0);
  RuntimeService(runtime_service::kSuppressEvents, 0, 0);
  RuntimeService(runtime_service::kSuppressEvents, 0, 0);
  EXPECT_EQ(app.eventSuppression.load(), 2);
  uint32_t record[11] = {0x52010001, 0, 0, 0};
  EXPECT_EQ(
      RuntimeService(runtime_service::kCallEventHandler, reinterpret_cast<intptr_t>(record), 0), 0);
  RuntimeService(runtime_service::kAllowEvents, 0, 0);
  RuntimeService(runtime_service::kAllowEvents, 0, 0);
  RuntimeService(runtime_service::kAllowEvents, 0, 0);
  EXPECT_EQ(app.eventSuppression.load(), 0);
}

std::vector<intptr_t> g_idleCalls;
void RecordIdleCall(intptr_t parameter) {
  g_idleCalls.push_back(parameter);
}
void OtherIdleCall(intptr_t parameter) {
  g_idleCalls.push_back(-parameter);
}

HWND MakeWindow() {
  return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

TEST(IdleCallbackTest, LiveWindowsAreCalledAndDestroyedOnesDroppedForGood) {
  RuntimeApp& app = TheRuntimeApp();
  g_idleCalls.clear();
  HWND kept = MakeWindow();
  HWND doomed = MakeWindow();
  ASSERT_NE(kept, nullptr);
  ASSERT_NE(doomed, nullptr);

  const intptr_t keptWords[] = {reinterpret_cast<intptr_t>(kept),
                                reinterpret_cast<intptr_t>(&RecordIdleCall), 1};
  const intptr_t doomedWords[] = {reinterpret_cast<intptr_t>(doomed),
                                  reinterpret_cast<intptr_t>(&RecordIdleCall), 2};
  const intptr_t duplicate[] = {reinterpret_cast<intptr_t>(kept),
                                reinterpret_cast<intptr_t>(&OtherIdleCall), 3};
  const intptr_t noCallback[] = {reinterpret_cast<intptr_t>(MakeWindow()), 0, 4};
  const intptr_t noWindow[] = {0, reinterpret_cast<intptr_t>(&RecordIdleCall), 5};
  for (const intptr_t* words : {keptWords, doomedWords, duplicate, noCallback, noWindow}) {
    RuntimeService(runtime_service::kAddIdleCallback, reinterpret_cast<intptr_t>(words), 0);
  }
  ASSERT_EQ(app.idleCallbacks.windows.size(), 2u);

  RunIdleCallbacks();
  EXPECT_EQ(g_idleCalls, (std::vector<intptr_t>{2, 1}));  // last entry first

  DestroyWindow(doomed);
  g_idleCalls.clear();
  RunIdleCallbacks();
  RunIdleCallbacks();
  EXPECT_EQ(g_idleCalls, (std::vector<intptr_t>{1, 1}));
  EXPECT_EQ(app.idleCallbacks.windows.size(), 1u);

  RuntimeService(runtime_service::kRemoveIdleCallback, reinterpret_cast<intptr_t>(kept), 0);
  EXPECT_TRUE(app.idleCallbacks.windows.empty());
  DestroyWindow(kept);
}

// A window set holding window 0x52010001 "窗口1" with its own record and unit
// 0x16010002 "编辑框_查询", and a unit of the reserved class.
const char* FakeWindowName(uint32_t windowId) {
  return windowId == 0x52010001 ? "窗口1" : nullptr;
}
bool FakeFindUnit(uint32_t windowId, uint32_t unitIdOrZero, uint32_t* unitId, const char** name) {
  if (windowId != 0x52010001) {
    return false;
  }
  switch (unitIdOrZero) {
    case 0:
      *unitId = 0x06010000;
      *name = "";
      return true;
    case 0x16010002:
      *unitId = unitIdOrZero;
      *name = "编辑框_查询";
      return true;
    case 0x26010005:
      *unitId = unitIdOrZero;
      *name = "保留";
      return true;
    default:
      return false;
  }
}
constexpr WindowLookup kFakeLookup{FakeWindowName, FakeFindUnit};

TEST(ErrorReportTextTest, NumberedErrorAndMemoryFailureReadAsDocumented) {
  EXPECT_EQ(BuildErrorReportText(ErrorTableMessage(1), 1, 67174459, 802, kFakeLookup),
            "运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"
            "\r\n67174459, 802\r\n");
  EXPECT_EQ(BuildErrorReportText("分配 100 字节内存失败!", 0, 0, 0, kFakeLookup),
            "运行时出错!\r\n\r\n错误信息：分配 100 字节内存失败!\r\n\r\n0, 0\r\n");
  EXPECT_EQ(BuildErrorReportText(nullptr, 0, 0, 0, kFakeLookup), "运行时出错!\r\n\r\n0, 0\r\n");
  EXPECT_EQ(BuildErrorReportText("", 0, -5, 0, kFakeLookup), "运行时出错!\r\n\r\n-5, 0\r\n");
}

TEST(ErrorReportTextTest, PositionNamesWindowsAndUnits) {
  EXPECT_EQ(BuildPositionText(0x52010001, 0x16010002, kFakeLookup),
            "\r\n1375797249, 369164290\r\n\"窗口1\"\r\n\"编辑框_查询\"\r\n");
  EXPECT_EQ(BuildPositionText(0x52010001, 0, kFakeLookup),
            "\r\n1375797249, 0\r\n\"窗口1\"\r\n\"\"\r\n");
  EXPECT_EQ(BuildPositionText(0x52010001, 0x16010099, kFakeLookup),
            "\r\n1375797249, 369164441\r\n\"窗口1\"\r\n未找到所指定的窗口组件\r\n");
  EXPECT_EQ(BuildPositionText(0x52010001, 0x26010005, kFakeLookup),
            "\r\n1375797249, 637599749\r\n\"窗口1\"\r\n未找到所指定的窗口组件\r\n");
  EXPECT_EQ(BuildPositionText(0x52010002, 0x16010002, kFakeLookup),
            "\r\n1375797250, 369164290\r\n未找到所指定的窗口\r\n");
  // An application subroutine's id is never looked up among the windows.
  EXPECT_EQ(BuildPositionText(0x04010001, 7, kFakeLookup), "\r\n67174401, 7\r\n");
}

TEST(ErrorTableTest, HoldsElevenMessages) {
  EXPECT_STREQ(ErrorTableMessage(4), "数组成员引用下标必须大于等于1");
  EXPECT_STREQ(ErrorTableMessage(6), "调用DLL命令后发现堆栈错误");
  EXPECT_STREQ(ErrorTableMessage(11), "所提供参数的数据类型不符合要求");
  EXPECT_EQ(ErrorTableMessage(0), nullptr);
  EXPECT_EQ(ErrorTableMessage(12), nullptr);
  EXPECT_EQ(ErrorTableMessage(-1), nullptr);
}

}  // namespace
}  // namespace mnemora
