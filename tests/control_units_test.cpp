// The kinds shown by a system control (button, edit box, list box, group
// box) among other programs' hooks: a subclasser added after the unit, as a
// skin library adds one to every control, sees the control's messages to
// its last one whichever of object and window ends first; and a unit whose
// object property another program removed keeps handling its control.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "tests/unit_bench.h"
#include "window/unit_object.h"
#include "window/units/button.h"
#include "window/units/edit_box.h"
#include "window/units/group_box.h"
#include "window/units/list_box.h"

namespace mnemora {
namespace {

using namespace bench;

constexpr uint32_t kUnitId = 0x52040007;
constexpr int32_t kGotFocus = -7;
constexpr int32_t kLostFocus = -8;

struct ControlKind {
  const char* name;
  const UnitTypeDescriptor* kind;
  bool reportsGone;        // the window going first is reported (service 2000)
  bool focusEventsByHook;  // focus events come from its own hook, not the parent
};

const ControlKind kControlKinds[] = {
    {"button", &kButtonKindDescriptor, true, true},
    {"edit box", &kEditBoxDescriptor, false, false},
    {"list box", &kListBoxDescriptor, false, false},
    {"group box", &kGroupBoxKindDescriptor, true, true},
};

// Two hooks added after the unit's own: one through the subclass chain, one
// by replacing the window procedure. Each records what it saw.
struct LaterHooks {
  std::vector<UINT> chained;
  std::vector<UINT> replaced;
  WNDPROC previous = nullptr;

  bool BothSaw(UINT message) const {
    return std::count(chained.begin(), chained.end(), message) == 1 &&
           std::count(replaced.begin(), replaced.end(), message) == 1;
  }
};

LaterHooks* g_replacedHooks = nullptr;

LRESULT CALLBACK ChainedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR hooks) {
  reinterpret_cast<LaterHooks*>(hooks)->chained.push_back(message);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &ChainedProc, id);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ReplacedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_replacedHooks->replaced.push_back(message);
  return CallWindowProcA(g_replacedHooks->previous, window, message, wParam, lParam);
}

void AddLaterHooks(HWND control, LaterHooks* hooks) {
  ASSERT_TRUE(SetWindowSubclass(control, &ChainedProc, 7, reinterpret_cast<DWORD_PTR>(hooks)));
  g_replacedHooks = hooks;
  hooks->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReplacedProc)));
}

TEST(ControlUnits, ALaterHookSeesTheControlToItsLastMessageWhicheverEndComesFirst) {
  for (const ControlKind& row : kControlKinds) {
    SCOPED_TRACE(row.name);
    UnitBench bench;

    // The object goes first: it takes the control along, silently.
    LaterHooks first;
    std::unique_ptr<UnitObject> unit = bench.Create(*row.kind, Bytes(), kUnitId, {10, 10, 90, 60});
    ASSERT_NE(unit, nullptr);
    HWND control = unit->Handle();
    AddLaterHooks(control, &first);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("later"));
    EXPECT_TRUE(first.BothSaw(WM_SETTEXT));
    unit.reset();
    EXPECT_FALSE(IsWindow(control));
    EXPECT_TRUE(first.BothSaw(WM_DESTROY));
    EXPECT_TRUE(first.BothSaw(WM_NCDESTROY));
    EXPECT_TRUE(bench.Destroyed().empty());

    // The window goes first: reported as the kind reports it, once.
    LaterHooks second;
    unit = bench.Create(*row.kind, Bytes(), kUnitId, {10, 10, 90, 60});
    ASSERT_NE(unit, nullptr);
    control = unit->Handle();
    AddLaterHooks(control, &second);
    DestroyWindow(control);
    EXPECT_TRUE(second.BothSaw(WM_DESTROY));
    EXPECT_TRUE(second.BothSaw(WM_NCDESTROY));
    const size_t reports = row.reportsGone ? 1 : 0;
    ASSERT_EQ(bench.Destroyed().size(), reports);
    if (row.reportsGone) {
      EXPECT_EQ(bench.Destroyed()[0].unitId, kUnitId);
    }
    unit.reset();
    EXPECT_EQ(bench.Destroyed().size(), reports);
  }
}

TEST(ControlUnits, AUnitWhoseObjectPropertyIsRemovedKeepsHandlingItsControl) {
  for (const ControlKind& row : kControlKinds) {
    SCOPED_TRACE(row.name);
    UnitBench bench;
    std::unique_ptr<UnitObject> unit = bench.Create(*row.kind, Bytes(), kUnitId, {10, 10, 90, 60});
    ASSERT_NE(unit, nullptr);
    HWND control = unit->Handle();
    ShowWindow(bench.Parent(), SW_SHOWNA);
    ShowWindow(control, SW_SHOWNA);
    SetFocus(bench.Parent());

    // What another program can do to any window: the object is no longer
    // found from the control.
    ASSERT_NE(RemovePropA(control, "MnemoraUnitObject"), nullptr);
    ASSERT_EQ(UnitObjectOf(control), nullptr);

    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set"));
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(control, WM_CHAR, 'a', 1);
    SetFocus(bench.Parent());
    bench.ClearEvents();
    SetFocus(control);
    SetFocus(bench.Parent());
    PumpMessages();
    if (row.focusEventsByHook) {
      EXPECT_EQ(bench.EventNumbers(kUnitId), (std::vector<int32_t>{kGotFocus, kLostFocus}));
    }

    DestroyWindow(control);
    EXPECT_EQ(bench.Destroyed().size(), row.reportsGone ? 1u : 0u);
  }
}

}  // namespace
}  // namespace mnemora
