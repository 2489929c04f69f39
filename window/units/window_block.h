// The window's own property block: its fields, their defaults and
// the order they are stored in.
// Free of <windows.h>.
#pragma once

#include <cstdint>
#include <string>

#include "window/form_bytes.h"
#include "window/units/block_fields.h"

namespace mnemora {

inline constexpr uint32_t kWindowBlockVersion = 6;

// Every member has its default as initialiser, so a designated initialiser
// may name only the fields that differ.
struct WindowProperties {
  uint32_t version = kWindowBlockVersion;
  uint32_t borderStyle = 2;    // 0 none .. 6 fixed with sunken client edge
  uint32_t pictureLayout = 1;  // 0 top left, 1 tiled, 2 fitted, 3 stretched
  uint32_t backgroundColour = 0xFF000000;
  uint32_t maximizeButton = 0;
  uint32_t minimizeButton = 1;
  uint32_t controlBox = 1;
  uint32_t startPosition = 1;  // 0 as stored, 1 centred, 2 minimized, 3 maximized
  uint32_t movable = 1;
  uint32_t musicPlayMode = 0;
  uint32_t enterMovesFocus = 0;
  uint32_t escCloses = 1;
  uint32_t f1OpensHelp = 0;
  uint32_t helpContext = 0;
  uint32_t showInTaskbar = 1;    // version 2 on
  uint32_t dragAnywhere = 0;     // version 3 on
  uint32_t shape = 0;            // version 3 on
  uint32_t alwaysOnTop = 0;      // version 4 on
  uint32_t keepTitleActive = 0;  // version 5 on
  std::string className{};       // version 6 on; empty selects the runtime's class
  Bytes backgroundPicture{};
  Bytes icon{};
  Bytes music{};
  std::string title{};
  std::string helpFile{};

  // The fields after the version, in stored order; p is a record of this
  // kind, const when writing.
  template <typename Fields, typename Self>
  static void VisitFields(Fields& f, Self& p) {
    f.Fields(p.borderStyle, p.pictureLayout, p.backgroundColour, p.maximizeButton, p.minimizeButton,
             p.controlBox, p.startPosition, p.movable, p.musicPlayMode, p.enterMovesFocus,
             p.escCloses, p.f1OpensHelp, p.helpContext);
    f.FieldsSince(p.version, 2, p.showInTaskbar);
    f.FieldsSince(p.version, 3, p.dragAnywhere, p.shape);
    f.FieldsSince(p.version, 4, p.alwaysOnTop);
    f.FieldsSince(p.version, 5, p.keepTitleActive);
    f.FieldsSince(p.version, 6, p.className);
    f.Fields(p.backgroundPicture, p.icon, p.music, p.title, p.helpFile);
  }

  bool operator==(const WindowProperties&) const = default;
};

}  // namespace mnemora
