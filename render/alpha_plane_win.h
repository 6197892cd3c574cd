#pragma once
// The per-pixel alpha of a face on its way to the layered window: the 32-bit
// section that every frame is read into, the merge of the face's plane into it
// (a PNG background's opacity, or a bitmap background's cut-color shape), and
// the plane's resize when the window is zoomed.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "render/area_list.h"

// A 32-bit top-down bitmap section of frameBitmap's size; *pixels receives its
// memory and *header its format. Null when the frame's format cannot be read.
// The caller owns the section.
HBITMAP CreateAlphaDIB(HBITMAP frameBitmap, void** pixels, BITMAPINFO* header);

// What a face's plane holds, one byte per pixel.
enum class PlaneKind {
    Opacity,    // a PNG background's alpha; its colors are premultiplied already
    ShapeMask,  // a bitmap background's shape: not 0 inside, 0 where the cut color was
};

// Reads every row of frameBitmap into pixels (the section of CreateAlphaDIB, in
// the format of header) and sets the alpha of every pixel from plane, which
// holds one byte per pixel: its byte for an opacity plane; for a shape mask,
// opaque inside and transparent black outside. False when a pointer is null or
// the frame cannot be read. frameBitmap must not be selected into a device
// context.
bool MergeAlphaPlane(HBITMAP frameBitmap,
                     const uint8_t* plane,
                     BITMAPINFO* header,
                     void* pixels,
                     PlaneKind kind = PlaneKind::Opacity);
// The same, and false when the plane does not hold exactly one byte per pixel
// of header (an emptied plane included).
bool MergeAlphaPlane(HBITMAP frameBitmap,
                     const std::vector<uint8_t>& plane,
                     BITMAPINFO* header,
                     void* pixels,
                     PlaneKind kind = PlaneKind::Opacity);

// The same for the pixels of the areas alone: they are copied from frameBitmap into
// alphaDib (whose memory is pixels) through the two device contexts given, and
// merged; the other pixels keep what the last merge left. False when the plane
// does not fit header or the copy fails.
bool MergeAlphaPlaneAreas(HBITMAP frameBitmap,
                          HBITMAP alphaDib,
                          const std::vector<uint8_t>& plane,
                          const BITMAPINFO& header,
                          void* pixels,
                          PlaneKind kind,
                          const AreaList& areas,
                          HDC frameDC,
                          HDC dibDC);

// Resizes the plane of width x height bytes to newWidth x newHeight as a grey
// picture, with the platform's bitmap copy. On failure the user is told (the
// system's text, or "CopyImage err!") and the plane is left empty, so that no
// frame merges a plane of the wrong size.
bool ResizeAlphaPlane(int width, int height, std::vector<uint8_t>& plane, int newWidth, int newHeight);
