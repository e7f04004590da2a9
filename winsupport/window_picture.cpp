#include "winsupport/window_picture.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "winsupport/handles.h"
#include "winsupport/png_image.h"

namespace adjustui::winsupport {
namespace {

// The screen's pixels in `area`, top row first, three bytes a pixel in RGB order.
std::vector<std::uint8_t> ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const UniqueScreenDc screen(GetDC(nullptr));
    if (!screen) {
        return {};
    }
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!memory || !bitmap) {
        return {};
    }
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top,
                               SRCCOPY) != FALSE;
    SelectObject(memory.get(), previous);
    if (!copied) {
        return {};
    }

    // 24-bit rows, top row first (negative height), each padded to four bytes.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    std::vector<std::uint8_t> bgr(stride * static_cast<std::size_t>(height));
    if (GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), bgr.data(), &info,
                  DIB_RGB_COLORS) != height) {
        return {};
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * 3 * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bgr.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
        }
    }
    return rgb;
}

bool WriteFileWhole(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

}  // namespace

bool SaveWindowPicture(HWND window, const std::wstring& pngPath) {
    RECT area{};
    if (!IsWindow(window) || !GetWindowRect(window, &area) || area.right <= area.left ||
        area.bottom <= area.top) {
        return false;
    }
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The screen may be smaller than the window: only what is on it can be copied.
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!IntersectRect(&area, &area, &screen)) {
        return false;
    }
    const std::vector<std::uint8_t> rgb = ScreenPixels(area);
    const std::vector<std::uint8_t> png =
        EncodePng(static_cast<std::uint32_t>(area.right - area.left),
                  static_cast<std::uint32_t>(area.bottom - area.top), rgb);
    return !png.empty() && WriteFileWhole(pngPath, png);
}

}  // namespace adjustui::winsupport
