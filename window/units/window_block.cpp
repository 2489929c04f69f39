#include "window/units/window_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kWindowFields = [](auto& f, auto& p) {
  f.Fields(p.borderStyle, p.pictureLayout, p.backgroundColour, p.maximizeButton, p.minimizeButton,
           p.controlBox, p.startPosition, p.movable, p.musicPlayMode, p.enterMovesFocus,
           p.escCloses, p.f1OpensHelp, p.helpContext);
  f.FieldsSince(p.version, 2, p.showInTaskbar);
  f.FieldsSince(p.version, 3, p.dragAnywhere, p.shape);
  f.FieldsSince(p.version, 4, p.alwaysOnTop);
  f.FieldsSince(p.version, 5, p.keepTitleActive);
  f.FieldsSince(p.version, 6, p.className);
  f.Fields(p.backgroundPicture, p.icon, p.music, p.title, p.helpFile);
};

}  // namespace

bool ReadWindowBlock(const Bytes& block, WindowProperties* out) {
  return ReadVersionedBlock(block, kWindowBlockVersion, out, kWindowFields);
}

Bytes WriteWindowBlock(const WindowProperties& properties) {
  return WriteVersionedBlock(properties, kWindowFields);
}

}  // namespace mnemora
