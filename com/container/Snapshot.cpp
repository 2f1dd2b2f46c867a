#include "com/container/Snapshot.h"
#include <cstdio>
#include <vector>

namespace vireo::container {

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT rect{};
    if (!GetClientRect(window, &rect) || rect.right <= 0 || rect.bottom <= 0) return false;
    const int width = rect.right, height = rect.bottom;
    // Rows of 24-bit pixels are padded to four bytes, bottom row first.
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);

    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        // What is on the screen, children included.
        ok = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (ok) {
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + info.biSizeImage;
        FILE* out = std::fopen(path.c_str(), "wb");
        ok = out && std::fwrite(&file, sizeof file, 1, out) == 1 &&
             std::fwrite(&info, sizeof info, 1, out) == 1 && std::fwrite(bits, info.biSizeImage, 1, out) == 1;
        if (out) ok = std::fclose(out) == 0 && ok;
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return ok;
}

} // namespace vireo::container
