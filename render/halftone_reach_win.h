#pragma once
// Whether the platform's halftone stretch may reduce a frame area by area.
// Its filter is not documented, so it is asked once, on a picture of noise:
// does an exact halving stretched over a part grown by some reach, with the
// part alone copied into place, give the same pixels as the whole stretch?
#include <windows.h>

#include "render/area_list.h"

// The reach in destination pixels with which area stretches equal the whole
// one, or -1 when none tried does (or the test could not be made). Asked once
// per process; drawing happens on one thread.
int HalftoneHalvingReach();

// The platform's halftone stretch of the whole of from into the whole of to,
// as a frame is reduced and as the reach above was found. Neither bitmap may
// be selected elsewhere; neither stays selected.
bool HalftoneStretch(HDC fromDC,
                     HDC toDC,
                     HBITMAP from,
                     HBITMAP to,
                     int fromWidth,
                     int fromHeight,
                     int toWidth,
                     int toHeight);

// For each part in turn: stretches work (twice the frame's size) over the part
// grown by reach into scratch (a bitmap of the frame's size), then copies the
// part alone into frame. Not through a clip: under Wine a clipped stretch
// samples other pixels than the same stretch unclipped. One part is copied
// before the next is stretched, whose margin may overlap it. No bitmap may be
// selected elsewhere; the three DCs hold one bitmap each meanwhile.
bool StretchHalvedParts(HDC workDC,
                        HDC scratchDC,
                        HDC frameDC,
                        HBITMAP work,
                        HBITMAP scratch,
                        HBITMAP frame,
                        const AreaList& parts,
                        const PixelRect& whole,
                        int reach);
