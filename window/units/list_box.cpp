#include "window/units/list_box.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

#include "runtime/ui_thread_channel.h"
#include "runtime/win_handles.h"
#include "window/form_bytes.h"
#include "window/unit_events.h"
#include "window/unit_object.h"
#include "window/unit_support.h"
#include "window/units/control_unit.h"
#include "window/units/list_box_block.h"
#include "window/units/kind_operations.h"
#include "window/units/kind_unit.h"
#include "window/units/own_property.h"
#include "window/units/unit_interface.h"
#include "window/units/unit_kind_helpers.h"

namespace mnemora {
namespace {

// Kind-specific properties, numbered from 8 by the application.
enum ListBoxProperty : int32_t {
  kBorderStyle,
  kAutoSort,
  kMultiColumn,
  kRowSpacing,
  kTextColour,
  kBackgroundColour,
  kFont,
  kMultipleSelection,
  kCurrentSelection,
  kItemTexts,
  kItemData,
  kDataSource,
  kDataColumn,
  kBindingOption,
  kListBoxPropertyCount
};

// The kind's own properties, in the order of their numbers from 8.
constexpr OwnProperty<ListBoxProperties> kOwnProperties[] = {
    {NamedProperty("BorderStyle", property_type::kChoice), &ListBoxProperties::borderStyle},
    {NamedProperty("AutoSort", property_type::kBoolean), AsFlag(&ListBoxProperties::autoSort)},
    {NamedProperty("MultiColumn", property_type::kBoolean),
     AsFlag(&ListBoxProperties::multiColumn)},
    {NamedProperty("RowSpacing", property_type::kInteger2), &ListBoxProperties::rowSpacing},
    {NamedProperty("TextColour", property_type::kColour), &ListBoxProperties::textColour},
    {NamedProperty("BackgroundColour", property_type::kBackgroundColour),
     &ListBoxProperties::backgroundColour},
    {NamedProperty("Font", property_type::kFont), &ListBoxProperties::font},
    {NamedProperty("MultipleSelection", property_type::kBoolean),
     AsFlag(&ListBoxProperties::multipleSelection)},
    NamedProperty("CurrentSelection", property_type::kInteger2),  // worked out by the kind
    // A count and the texts, laid out as the stored item list.
    NamedProperty("ItemTexts", property_type::kData2),  // worked out by the kind
    // One dword per item.
    {NamedProperty("ItemData", property_type::kData2), &ListBoxProperties::itemData},
    {NamedProperty("DataSource", property_type::kText), &ListBoxProperties::dataSource},
    {NamedProperty("DataColumn", property_type::kText), &ListBoxProperties::dataColumn},
    {NamedProperty("BindingOption", property_type::kInteger2), &ListBoxProperties::bindingOption},
};
static_assert(std::size(kOwnProperties) == kListBoxPropertyCount, "one entry per property");
constexpr auto kProperties = WithCommonProperties(kOwnProperties);
static_assert(kProperties.size() == 22, "22 properties in all");

constexpr uint32_t kListBoxStateFlags = 0x80000040;
// WS_CHILD, WS_CLIPSIBLINGS, LBS_NOTIFY, LBS_USETABSTOPS, LBS_NOINTEGRALHEIGHT.
constexpr DWORD kBaseStyle = 0x44000181;
constexpr int32_t kMaxRowSpacing = 32767;

namespace event {
constexpr int32_t kSelectionChanged = 0;
constexpr int32_t kDoubleClicked = 1;
}  // namespace event

DWORD ListStyle(const ListBoxProperties& p) {
  DWORD style = kBaseStyle;
  if (p.autoSort != 0 && p.dataSource.empty()) {
    style |= LBS_SORT;
  }
  style |= p.multiColumn != 0 ? LBS_MULTICOLUMN | WS_HSCROLL : WS_VSCROLL;
  if (p.multipleSelection != 0) {
    style |= LBS_EXTENDEDSEL;
  }
  return style;
}

// Below -1 is none; past the last item is the last item (none on an empty
// list).
int32_t ClampSelection(int64_t selection, int32_t itemCount) {
  return selection < -1 ? -1 : static_cast<int32_t>(std::min<int64_t>(selection, itemCount - 1));
}

// Items added since creation live only in the control and are not saved.
class ListBoxUnit final : public KindUnit<ControlUnit, kOwnProperties> {
 public:
  // The item texts, besides the texts of the property table.
  static void ConvertOtherTexts(ListBoxProperties& p, TextConversion convert) {
    for (std::string& item : p.items) {
      item = convert(item);
    }
  }

  ListBoxUnit(const UnitCreateArgs& args, ListBoxProperties properties)
      : KindUnit(std::move(properties), args.windowId, args.unitId, unit_kind::kListBox,
                 GoneReport::kNone) {
    properties_.borderStyle = static_cast<uint32_t>(ClampBorderStyle(properties_.borderStyle));
    properties_.rowSpacing = std::min<uint32_t>(properties_.rowSpacing, kMaxRowSpacing);
  }
  ~ListBoxUnit() override { DestroyControl(); }

  bool CreateNative(const UnitCreateArgs& args);
  bool OnReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // Property access runs on the UI thread, which owns the window.
  bool SetProperty(int32_t index, const UnitValue& value);
  UnitValue GetProperty(int32_t index);

 private:
  void ReplaceFont();
  void ApplyItemHeight();
  void AddStoredItems();
  int32_t ItemCount() const {
    return static_cast<int32_t>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
  }
  int32_t ReadSelection();
  void WriteSelection(int64_t selection);
};

bool ListBoxUnit::CreateNative(const UnitCreateArgs& args) {
  ReplaceBackground(properties_.backgroundColour, ResolveColour(properties_.backgroundColour));
  if (!CreateControl(args, "LISTBOX", nullptr, ListStyle(properties_))) {
    return false;
  }
  ReplaceFont();
  AddStoredItems();
  WriteSelection(properties_.currentSelection);
  ApplyBorderStyle(Handle(), static_cast<int32_t>(properties_.borderStyle));
  return true;
}

void ListBoxUnit::ReplaceFont() {
  ShowFont(properties_.font, FALSE);
  ApplyItemHeight();
}

// Setting the font makes the control measure its item height from the font
// again; the row spacing goes on top of that.
void ListBoxUnit::ApplyItemHeight() {
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  const LRESULT fontHeight = SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0);
  SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, fontHeight + properties_.rowSpacing);
  InvalidateRect(Handle(), nullptr, TRUE);
}

// Items past the stored data values are added without data.
void ListBoxUnit::AddStoredItems() {
  const size_t dataCount = properties_.itemData.size() / sizeof(uint32_t);
  for (size_t i = 0; i < properties_.items.size(); ++i) {
    const LRESULT index = SendMessageA(Handle(), LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(properties_.items[i].c_str()));
    if (i < dataCount && index >= 0) {
      uint32_t data;
      std::memcpy(&data, properties_.itemData.data() + i * sizeof data, sizeof data);
      SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    }
  }
}

// A multiple-selection list has no single current item.
int32_t ListBoxUnit::ReadSelection() {
  if (properties_.multipleSelection != 0) {
    return -1;
  }
  const auto selection = static_cast<int32_t>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
  properties_.currentSelection = selection < 0 ? -1 : selection;
  return properties_.currentSelection;
}

// LB_SETCURSEL sends no LBN_SELCHANGE, so a written selection raises no
// event. A multiple-selection control refuses LB_SETCURSEL; only the stored
// value changes there.
void ListBoxUnit::WriteSelection(int64_t selection) {
  properties_.currentSelection = ClampSelection(selection, ItemCount());
  if (properties_.multipleSelection == 0) {
    SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(properties_.currentSelection), 0);
  }
}

bool ListBoxUnit::OnReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      *result = 0;
      switch (HIWORD(wParam)) {
        case LBN_SELCHANGE:
          RaiseUnitEvent(WindowId(), UnitId(), event::kSelectionChanged);
          return true;
        case LBN_DBLCLK:
          RaiseUnitEvent(WindowId(), UnitId(), event::kDoubleClicked);
          return true;
        case LBN_SETFOCUS:
          RaiseFocusEvent(WindowId(), UnitId(), true);
          return true;
        case LBN_KILLFOCUS:
          RaiseFocusEvent(WindowId(), UnitId(), false);
          return true;
        default:
          return false;
      }
    case WM_CTLCOLORLISTBOX: {
      *result = AnswerColours(wParam, properties_.textColour, properties_.backgroundColour);
      return true;
    }
    default:
      return false;
  }
}

bool ListBoxUnit::SetProperty(int32_t index, const UnitValue& value) {
  ListBoxProperties& p = properties_;
  const int64_t number = value.number;
  switch (index) {
    case kBorderStyle:
      p.borderStyle = static_cast<uint32_t>(ClampBorderStyle(number));
      ApplyBorderStyle(Handle(), static_cast<int32_t>(p.borderStyle));
      return false;
    case kAutoSort:
      return RebuildOnChange(&p.autoSort, BooleanOf(value));
    case kMultiColumn:
      return RebuildOnChange(&p.multiColumn, BooleanOf(value));
    case kRowSpacing:
      p.rowSpacing = static_cast<uint32_t>(ClampInt(number, 0, kMaxRowSpacing));
      ApplyItemHeight();
      return false;
    case kTextColour:
      p.textColour = static_cast<uint32_t>(number);
      InvalidateRect(Handle(), nullptr, TRUE);
      return false;
    case kBackgroundColour:
      p.backgroundColour = static_cast<uint32_t>(number);
      ReplaceBackground(p.backgroundColour, ResolveColour(p.backgroundColour));
      InvalidateRect(Handle(), nullptr, TRUE);
      return false;
    case kFont:
      p.font = value.bytes;
      ReplaceFont();
      return false;
    case kMultipleSelection:
      return RebuildOnChange(&p.multipleSelection, BooleanOf(value));
    case kCurrentSelection:
      WriteSelection(number);
      return false;
    case kItemTexts: {
      // Laid out as the stored item list; bytes that do not hold one give
      // no items.
      ByteReader reader(value.bytes);
      p.items = reader.TextList();
      if (reader.Failed()) {
        p.items.clear();
      }
      return true;
    }
    case kItemData:
      p.itemData = value.bytes;
      return true;
    case kDataSource:
      p.dataSource = TextOf(value);
      return false;
    case kDataColumn:
      p.dataColumn = TextOf(value);
      return false;
    case kBindingOption:
      p.bindingOption = static_cast<uint32_t>(number);
      return false;
    default:
      return false;
  }
}

UnitValue ListBoxUnit::GetProperty(int32_t index) {
  switch (index) {
    case kCurrentSelection:
      return NumberValue(ControlAlive() ? ReadSelection() : properties_.currentSelection);
    case kItemTexts: {
      ByteWriter writer;
      writer.TextList(properties_.items);
      return BytesValue(writer.Take());
    }
    default:
      return StoredValue(kOwnProperties, index, properties_);
  }
}

// Runs work with the list box unit of a window on the UI thread, which owns
// it; when the channel is closed nothing runs and the caller's "no list"
// result stands.
template <typename Work>
void WithListBox(HWND listBox, Work&& work) {
  RunOnUiThread([&] {
    if (dynamic_cast<ListBoxUnit*>(UnitObjectOf(listBox)) != nullptr) {
      work();
    }
  });
}

}  // namespace

constinit const UnitTypeDescriptor kListBoxDescriptor =
    KindOperations<ListBoxUnit, kOwnProperties>::Descriptor("列表框", "ListBox", kListBoxStateFlags,
                                                            kProperties);

void ClearListItems(HWND listBox) {
  WithListBox(listBox, [&] { SendMessageA(listBox, LB_RESETCONTENT, 0, 0); });
}

// The item and its data go in together: with auto sort another thread's
// insertion between the two would move the index.
int32_t AddListItem(HWND listBox, const char* text, int32_t data) {
  int32_t result = -1;
  WithListBox(listBox, [&] {
    const LRESULT index = SendMessageA(listBox, LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(text != nullptr ? text : ""));
    if (index < 0) {
      return;  // LB_ERR or LB_ERRSPACE
    }
    SendMessageA(listBox, LB_SETITEMDATA, static_cast<WPARAM>(index), data);
    result = static_cast<int32_t>(index);
  });
  return result;
}

// With redrawing off the control skips its scroll-bar update at every
// item, which costs far more than the item itself, and with its storage
// sized first it does not grow the item array step by step.
int32_t AddListItems(HWND listBox, std::span<const std::string_view> texts) {
  int32_t added = 0;
  WithListBox(listBox, [&] {
    size_t textBytes = 0;
    for (const std::string_view text : texts) {
      textBytes += text.size() + 1;
    }
    SendMessageA(listBox, WM_SETREDRAW, FALSE, 0);
    SendMessageA(listBox, LB_INITSTORAGE, std::min<size_t>(texts.size(), INT32_MAX),
                 static_cast<LPARAM>(std::min<size_t>(textBytes, INT32_MAX)));
    std::string item;
    for (const std::string_view text : texts) {
      item.assign(text);
      if (SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())) < 0) {
        break;  // LB_ERR or LB_ERRSPACE
      }
      ++added;
    }
    SendMessageA(listBox, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listBox, nullptr, TRUE);
  });
  return added;
}

int32_t ListItemCount(HWND listBox) {
  int32_t count = 0;
  WithListBox(listBox,
              [&] { count = static_cast<int32_t>(SendMessageA(listBox, LB_GETCOUNT, 0, 0)); });
  return std::max(count, 0);
}

// LB_GETTEXT has no buffer size: the length asked first must still hold when
// the text is copied, so both run in one go on the window's thread.
std::string ListItemText(HWND listBox, int32_t index) {
  std::string text;
  WithListBox(listBox, [&] {
    if (index < 0 || index >= SendMessageA(listBox, LB_GETCOUNT, 0, 0)) {
      return;
    }
    const LRESULT length = SendMessageA(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) {
      return;
    }
    text.resize(static_cast<size_t>(length) + 1);
    const LRESULT copied = SendMessageA(listBox, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  });
  return text;
}

bool IsListItemSelected(HWND listBox, int32_t index) {
  bool selected = false;
  WithListBox(listBox, [&] {
    selected = index >= 0 && index < SendMessageA(listBox, LB_GETCOUNT, 0, 0) &&
               SendMessageA(listBox, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
  });
  return selected;
}

}  // namespace mnemora
