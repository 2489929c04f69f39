#include "window/units/window_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitWindowFields(Fields& f, Properties& p) {
  f.Field(p.borderStyle);
  f.Field(p.pictureLayout);
  f.Field(p.backgroundColour);
  f.Field(p.maximizeButton);
  f.Field(p.minimizeButton);
  f.Field(p.controlBox);
  f.Field(p.startPosition);
  f.Field(p.movable);
  f.Field(p.musicPlayMode);
  f.Field(p.enterMovesFocus);
  f.Field(p.escCloses);
  f.Field(p.f1OpensHelp);
  f.Field(p.helpContext);
  if (p.version >= 2) {
    f.Field(p.showInTaskbar);
  }
  if (p.version >= 3) {
    f.Field(p.dragAnywhere);
    f.Field(p.shape);
  }
  if (p.version >= 4) {
    f.Field(p.alwaysOnTop);
  }
  if (p.version >= 5) {
    f.Field(p.keepTitleActive);
  }
  if (p.version >= 6) {
    f.Field(p.className);
  }
  f.Field(p.backgroundPicture);
  f.Field(p.icon);
  f.Field(p.music);
  f.Field(p.title);
  f.Field(p.helpFile);
}

}  // namespace

bool ReadWindowBlock(const Bytes& block, WindowProperties* out) {
  return ReadVersionedBlock(block, kWindowBlockVersion, out,
                            [](auto& f, auto& p) { VisitWindowFields(f, p); });
}

Bytes WriteWindowBlock(const WindowProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitWindowFields(f, p); });
}

}  // namespace mnemora
