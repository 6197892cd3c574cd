#pragma once
// Drawing sizes from a preset kept to what the work surface can show. GDI
// spends time and memory in proportion to a pen's width and a line's length
// even where they fall off the surface: one HourWidth of 1000000 froze the
// clock for good, and a hand a billion pixels long cost a gigabyte a frame.
// Beyond these bounds nothing more of a hand or a text reaches the surface.

#include "render/preset_settings.h"

// The reach of a work surface: its width plus its height, at least its
// diagonal. Sizes (pen widths, hand lengths and laps, font heights) are kept
// within twice the reach, positions within one reach outside the surface, so
// a pivot kept at the edge of that margin still reaches across the surface.
int DrawingReach(int workWidth, int workHeight);

DrawnHandSpec FitDrawnHand(const DrawnHandSpec& spec, int workWidth, int workHeight);

// The six centres and the two font sizes, already at the work size.
void FitPresetGeometry(PresetSettings& settings, int workWidth, int workHeight);
