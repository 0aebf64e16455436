// Image files the viewer tests and the fuzz and soak programs write through WIC and GDI.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "imaging/Image.h"

namespace leadtest {

// Writes the 24-bit or 8-bit indexed image with the container's WIC encoder at dpi dots per inch.
bool WriteWicFile(const std::string &path, const GUID &container, const qrv::img::Image &image, double dpi);

// An enhanced metafile 1 x 0.5 inch whose left half is a red rectangle.
bool WriteEmfFile(const std::string &path);
// A placeable metafile of the same picture (1440 units per inch).
bool WritePlaceableWmfFile(const std::string &path);

std::vector<uint8_t> ReadBytes(const std::string &path);
bool WriteBytes(const std::string &path, const std::vector<uint8_t> &bytes);

// A 24-bit test picture with distinct colours along both axes.
qrv::img::Image GradientImage(int w, int h);
// An 8-bit indexed picture of 16 palette entries in horizontal stripes.
qrv::img::Image IndexedImage(int w, int h);

} // namespace leadtest
