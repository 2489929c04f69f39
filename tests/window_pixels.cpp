#include "tests/window_pixels.h"

#include "window/gdi_scopes.h"
#include "window/picture_decoding.h"

namespace mnemora::bench {
namespace {

// Renders into a bitmap of the client size and reads it back.
template <typename Render>
Pixels RenderClient(HWND window, Render render) {
  RECT client;
  GetClientRect(window, &client);
  PictureBitmap bitmap = PictureBitmap::Create(client.right, client.bottom);
  if (!bitmap) {
    return Pixels(0, 0, {});
  }
  {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelection selected(dc.Get(), bitmap.Handle());
    render(dc.Get(), client);
  }
  GdiFlush();
  std::vector<COLORREF> values(static_cast<size_t>(client.right) * client.bottom);
  for (size_t i = 0; i < values.size(); ++i) {
    values[i] = ColourOfArgb(bitmap.Pixels()[i]);
  }
  return Pixels(client.right, client.bottom, std::move(values));
}

}  // namespace

int Pixels::Count(const RECT& area, COLORREF colour) const {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      count += At(x, y) == colour ? 1 : 0;
    }
  }
  return count;
}

COLORREF ColourOfArgb(uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

Pixels PrintClient(HWND window, COLORREF fill) {
  return RenderClient(window, [&](HDC dc, const RECT& area) {
    SetDCBrushColor(dc, fill);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  });
}

Pixels BitmapPixels(HBITMAP bitmap) {
  BITMAP size{};
  GetObjectA(bitmap, sizeof size, &size);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.bmWidth;
  info.bmiHeader.biHeight = -size.bmHeight;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> raw(static_cast<size_t>(size.bmWidth) * size.bmHeight);
  {
    WindowDc screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.bmHeight), raw.data(), &info,
              DIB_RGB_COLORS);
  }
  std::vector<COLORREF> values(raw.size());
  std::transform(raw.begin(), raw.end(), values.begin(), ColourOfArgb);
  return Pixels(size.bmWidth, size.bmHeight, std::move(values));
}

Pixels ScreenPixels(HWND window) {
  UpdateWindow(GetAncestor(window, GA_ROOT));
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageA(&message);
  }
  return RenderClient(window, [&](HDC dc, const RECT& area) {
    WindowDc screen(window);
    BitBlt(dc, 0, 0, area.right, area.bottom, screen.Get(), 0, 0, SRCCOPY);
  });
}

}  // namespace mnemora::bench
