#include "window/units/draw_panel_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

// The fields after the version, in stored order.
constexpr auto kDrawPanelFields = [](auto& f, auto& p) {
  f.Fields(p.borderStyle, p.backgroundColour, p.pictureMode, p.keepDrawing, p.drawingUnit,
           p.penStyle, p.drawingMode, p.penWidth, p.penColour, p.brushStyle, p.brushColour,
           p.textColour, p.textBackgroundColour, p.font, p.backgroundPicture);
};

}  // namespace

bool ReadDrawPanelBlock(const Bytes& block, DrawPanelProperties* out) {
  return ReadVersionedBlock(block, kDrawPanelBlockVersion, out, kDrawPanelFields);
}

Bytes WriteDrawPanelBlock(const DrawPanelProperties& properties) {
  return WriteVersionedBlock(properties, kDrawPanelFields);
}

}  // namespace mnemora
