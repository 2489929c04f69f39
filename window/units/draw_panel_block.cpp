#include "window/units/draw_panel_block.h"

#include "window/units/block_fields.h"

namespace mnemora {
namespace {

template <typename Fields, typename Properties>
void VisitDrawPanelFields(Fields& f, Properties& p) {
  f.Field(p.borderStyle);
  f.Field(p.backgroundColour);
  f.Field(p.pictureMode);
  f.Field(p.keepDrawing);
  f.Field(p.drawingUnit);
  f.Field(p.penStyle);
  f.Field(p.drawingMode);
  f.Field(p.penWidth);
  f.Field(p.penColour);
  f.Field(p.brushStyle);
  f.Field(p.brushColour);
  f.Field(p.textColour);
  f.Field(p.textBackgroundColour);
  f.Field(p.font);
  f.Field(p.backgroundPicture);
}

}  // namespace

bool ReadDrawPanelBlock(const Bytes& block, DrawPanelProperties* out) {
  return ReadVersionedBlock(block, kDrawPanelBlockVersion, out,
                            [](auto& f, auto& p) { VisitDrawPanelFields(f, p); });
}

Bytes WriteDrawPanelBlock(const DrawPanelProperties& properties) {
  return WriteVersionedBlock(properties, [](auto& f, auto& p) { VisitDrawPanelFields(f, p); });
}

}  // namespace mnemora
