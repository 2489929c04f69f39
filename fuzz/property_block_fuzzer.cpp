// The property-block codecs of every unit kind, the kind chosen by the
// first byte: a block a codec accepts writes back to one that reads to the
// same properties.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "window/units/button_block.h"
#include "window/units/draw_panel_block.h"
#include "window/units/edit_box_block.h"
#include "window/units/group_box_block.h"
#include "window/units/label_block.h"
#include "window/units/list_box_block.h"
#include "window/units/transparent_label_block.h"
#include "window/units/window_block.h"

using namespace mnemora;

namespace {

template <typename Properties>
void RoundTrip(const Bytes& block) {
  Properties properties;
  if (!ReadPropertyBlock(block, &properties)) {
    return;
  }
  const Bytes written = WritePropertyBlock(properties);
  Properties again;
  fuzz::Require(ReadPropertyBlock(written, &again), "a written block reads");
  fuzz::Require(again == properties, "a written block reads to the same properties");
  fuzz::Require(WritePropertyBlock(again) == written, "writing is stable");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  const Bytes block(data + 1, data + size);
  switch (data[0] % 8) {
    case 0:
      RoundTrip<WindowProperties>(block);
      break;
    case 1:
      RoundTrip<EditBoxProperties>(block);
      break;
    case 2:
      RoundTrip<DrawPanelProperties>(block);
      break;
    case 3:
      RoundTrip<GroupBoxProperties>(block);
      break;
    case 4:
      RoundTrip<LabelProperties>(block);
      break;
    case 5:
      RoundTrip<ButtonProperties>(block);
      break;
    case 6:
      RoundTrip<ListBoxProperties>(block);
      break;
    default:
      RoundTrip<TransparentLabelProperties>(block);
      break;
  }
  return 0;
}
