// The edit box's property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kEditBoxBlockVersion = 2;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct EditBoxProperties {
  uint32_t version = kEditBoxBlockVersion;
  uint32_t borderStyle = 1;
  uint32_t textColour = 0;
  uint32_t backgroundColour = 0x00FFFFFF;
  uint32_t hideSelection = 1;
  uint32_t maxLength = 0;  // 0: the control's own limit
  uint32_t multiLine = 0;
  uint32_t scrollBars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
  uint32_t alignment = 0;   // 0 left, 1 centre, 2 right
  uint32_t inputMode = 0;   // 0 to 11
  uint16_t passwordCharacter = '*';
  uint32_t caseConversion = 0;  // 0 none, 1 lower, 2 upper
  uint32_t adjusterMode = 0;    // 0 none, 1 automatic, 2 manual
  int32_t adjusterMinimum = 0;
  int32_t adjusterMaximum = 100;
  int32_t selectionStart = 0;
  int32_t selectionLength = 0;
  Bytes font{};  // empty, or a 60-byte LOGFONTA
  std::string content{};
  std::string dataSource{};  // version 2 on
  std::string dataColumn{};  // version 2 on

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.borderStyle, p.textColour, p.backgroundColour, p.hideSelection, p.maxLength,
             p.multiLine, p.scrollBars, p.alignment, p.inputMode, p.passwordCharacter,
             p.caseConversion, p.adjusterMode, p.adjusterMinimum, p.adjusterMaximum,
             p.selectionStart, p.selectionLength, p.font, p.content);
    f.FieldsSince(p.version, 2, p.dataSource, p.dataColumn);
  }

  bool operator==(const EditBoxProperties&) const = default;
};

}  // namespace mnemora
