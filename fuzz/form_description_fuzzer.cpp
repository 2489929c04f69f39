// The stored form description: whatever the reader accepts can be walked
// record by record, written back, and read again to the same windows.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "window/form_description.h"

using namespace mnemora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<WindowDescription> windows;
  if (!ReadWindowSet(data, size, &windows)) {
    fuzz::Require(windows.empty(), "a failed read leaves no windows");
    return 0;
  }
  for (const WindowDescription& window : windows) {
    const UnitTable& table = window.table;
    fuzz::Require(table.ids.size() == table.records.size(), "one record per id");
    for (size_t i = 0; i < table.Count(); ++i) {
      const Bytes& record = table.records[i];
      // Record 0 is the window's own, whatever its id.
      if (i != 0 && IsMenuItemId(table.ids[i])) {
        MenuItemFields item;
        fuzz::Require(ParseMenuItemRecord(record, &item), "menu item walks");
        MenuItemFields rebuilt;
        fuzz::Require(ParseMenuItemRecord(BuildMenuItemRecord(item), &rebuilt) && rebuilt == item,
                      "menu item rebuilds to the same fields");
        continue;
      }
      UnitRecordFields fields;
      RecordLayout layout;
      fuzz::Require(LocateRecordFields(record, &layout), "record walks");
      fuzz::Require(ParseUnitRecord(record, &fields), "record parses");
      fuzz::Require(layout.propertyBlock + layout.propertyBlockLength == record.size(),
                    "property block ends the record");
      fuzz::Require(ReadRecordDword(record, layout.stateFlags) == fields.stateFlags,
                    "located state flags");
      // Replacing the tag as a property write does keeps every other field.
      const size_t tagLength = fields.tag.size() + 1;
      Bytes changed = record;
      ReplaceRecordBytes(&changed, layout.tag, tagLength, Bytes{'t', 'a', 'g', 0});
      UnitRecordFields after;
      fuzz::Require(ParseUnitRecord(changed, &after), "record with a new tag parses");
      after.tag = fields.tag;
      fuzz::Require(after == fields, "a new tag changes only the tag");
      const int index = table.IndexOf(table.ids[i]);
      fuzz::Require(
          IsValidId(table.ids[i]) ? index >= 0 && static_cast<size_t>(index) <= i : index == -1,
          "a valid id is found, no other");
    }
  }
  std::vector<WindowDescription> again;
  const Bytes written = WriteWindowSet(windows);
  fuzz::Require(ReadWindowSet(written.data(), written.size(), &again), "written set reads");
  fuzz::Require(again == windows, "written set reads to the same windows");
  return 0;
}
