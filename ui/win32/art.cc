#include "ui/win32/art.h"

#include <wincodec.h>

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace quarnel {
namespace {

template <typename T>
struct ComRelease {
  void operator()(T* object) const {
    if (object != nullptr) object->Release();
  }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease<T>>;

struct DeleteBitmap {
  void operator()(HBITMAP bitmap) const {
    if (bitmap != nullptr) ::DeleteObject(bitmap);
  }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteBitmap>;

struct DeleteDc {
  void operator()(HDC dc) const {
    if (dc != nullptr) ::DeleteDC(dc);
  }
};
using OwnedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDc>;

// A decoded picture: top-down rows of blue, green, red, alpha, the alpha
// straight (not multiplied in).
struct Pixels {
  UINT width = 0;
  UINT height = 0;
  std::vector<BYTE> bgra;
};

bool Decode(const std::wstring& resource, Pixels* pixels) {
  const HMODULE module = ::GetModuleHandleW(nullptr);
  const HRSRC found = ::FindResourceW(module, resource.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (found == nullptr) return false;
  const HGLOBAL loaded = ::LoadResource(module, found);
  void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  const DWORD size = ::SizeofResource(module, found);
  if (data == nullptr || size == 0) return false;

  IWICImagingFactory* raw_factory = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&raw_factory)))) {
    return false;
  }
  ComPtr<IWICImagingFactory> factory(raw_factory);
  IWICStream* raw_stream = nullptr;
  if (FAILED(factory->CreateStream(&raw_stream))) return false;
  ComPtr<IWICStream> stream(raw_stream);
  if (FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(data), size))) return false;
  IWICBitmapDecoder* raw_decoder = nullptr;
  if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnLoad,
                                              &raw_decoder))) {
    return false;
  }
  ComPtr<IWICBitmapDecoder> decoder(raw_decoder);
  IWICBitmapFrameDecode* raw_frame = nullptr;
  if (FAILED(decoder->GetFrame(0, &raw_frame))) return false;
  ComPtr<IWICBitmapFrameDecode> frame(raw_frame);
  IWICFormatConverter* raw_converter = nullptr;
  if (FAILED(factory->CreateFormatConverter(&raw_converter))) return false;
  ComPtr<IWICFormatConverter> converter(raw_converter);
  if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                   WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return false;
  }
  if (FAILED(converter->GetSize(&pixels->width, &pixels->height))) return false;
  const UINT stride = pixels->width * 4;
  pixels->bgra.resize(static_cast<size_t>(stride) * pixels->height);
  return SUCCEEDED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels->bgra.size()),
                                         pixels->bgra.data()));
}

// A 32-bit top-down DIB section holding `pixels`, with the alpha multiplied
// in when `premultiply` (as AlphaBlend wants it) or straight (as icons and
// pointers want it).
OwnedBitmap MakeBitmap(const Pixels& pixels, bool premultiply) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = static_cast<LONG>(pixels.width);
  info.bmiHeader.biHeight = -static_cast<LONG>(pixels.height);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  OwnedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return nullptr;
  BYTE* out = static_cast<BYTE*>(bits);
  for (size_t i = 0; i < pixels.bgra.size(); i += 4) {
    const unsigned alpha = pixels.bgra[i + 3];
    for (size_t c = 0; c < 3; ++c) {
      const unsigned value = pixels.bgra[i + c];
      out[i + c] = static_cast<BYTE>(premultiply ? (value * alpha + 127) / 255 : value);
    }
    out[i + 3] = static_cast<BYTE>(alpha);
  }
  return bitmap;
}

struct Picture {
  Pixels pixels;
  OwnedBitmap bitmap;  // premultiplied, for drawing
};

std::wstring ResourceName(std::string_view name, bool double_density) {
  std::wstring resource;
  for (const char c : name)
    resource += static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
  if (double_density) resource += L"_2X";
  return resource;
}

// Decoded once per name and density; null when the resource is missing or
// cannot be decoded.
const Picture* FindPicture(std::string_view name, bool double_density) {
  static std::map<std::wstring, std::unique_ptr<Picture>> cache;
  const std::wstring resource = ResourceName(name, double_density);
  auto found = cache.find(resource);
  if (found == cache.end()) {
    auto picture = std::make_unique<Picture>();
    if (Decode(resource, &picture->pixels)) {
      picture->bitmap = MakeBitmap(picture->pixels, true);
    }
    if (!picture->bitmap) picture.reset();
    found = cache.emplace(resource, std::move(picture)).first;
  }
  return found->second.get();
}

HICON MakeIcon(const Pixels& pixels, bool is_icon, DWORD hot_x, DWORD hot_y) {
  OwnedBitmap colour = MakeBitmap(pixels, false);
  const std::vector<BYTE> zeros(((pixels.width + 15) / 16 * 2) * pixels.height, 0);
  OwnedBitmap mask(::CreateBitmap(static_cast<int>(pixels.width), static_cast<int>(pixels.height),
                                  1, 1, zeros.data()));
  if (!colour || !mask) return nullptr;
  ICONINFO info{};
  info.fIcon = is_icon ? TRUE : FALSE;
  info.xHotspot = hot_x;
  info.yHotspot = hot_y;
  info.hbmMask = mask.get();
  info.hbmColor = colour.get();
  return ::CreateIconIndirect(&info);  // copies both bitmaps
}

}  // namespace

bool DrawArt(HDC dc, std::string_view name, const RECT& target, UINT dpi) {
  const Picture* picture = FindPicture(name, dpi > USER_DEFAULT_SCREEN_DPI);
  if (picture == nullptr) picture = FindPicture(name, false);
  if (picture == nullptr) return false;
  OwnedDc source(::CreateCompatibleDC(dc));
  if (!source) return false;
  const HGDIOBJ previous = ::SelectObject(source.get(), picture->bitmap.get());
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  const BOOL drawn = ::AlphaBlend(dc, target.left, target.top, target.right - target.left,
                                  target.bottom - target.top, source.get(), 0, 0,
                                  static_cast<int>(picture->pixels.width),
                                  static_cast<int>(picture->pixels.height), blend);
  ::SelectObject(source.get(), previous);
  return drawn != FALSE;
}

HCURSOR LinkPointer() {
  static const HCURSOR pointer = [] {
    const Picture* picture = FindPicture("link_pointer", false);
    return picture != nullptr ? static_cast<HCURSOR>(MakeIcon(picture->pixels, false, 31, 0))
                              : nullptr;
  }();
  return pointer;
}

HICON QuarnelIcon(int size) {
  const auto make = [](bool double_density) -> HICON {
    const Picture* picture = FindPicture("quarnel_icon", double_density);
    return picture != nullptr ? MakeIcon(picture->pixels, true, 0, 0) : nullptr;
  };
  static const HICON normal = make(false);
  static const HICON large = make(true);
  return size > 32 ? large : normal;
}

}  // namespace quarnel
