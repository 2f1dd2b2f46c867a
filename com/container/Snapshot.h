// What the container's window shows, saved as a 24-bit BMP file (for the screenshot script).
#pragma once
#include <windows.h>
#include <string>

namespace vireo::container {

// Copies window's client area, with every child drawn, into a bitmap file at path; false when it fails.
bool SaveWindowBitmap(HWND window, const std::string& path);

} // namespace vireo::container
