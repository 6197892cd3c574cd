#pragma once
// The background page's zoom slider: one position per 5 percent of zoom.

#include <string>

constexpr int kZoomSliderMin = 5;
constexpr int kZoomSliderMax = 60;
constexpr int kZoomPerPosition = 5;

// The position that shows a stored zoom: the zoom divided by 5 (a zoom that is
// not a multiple of 5 stands at the position below it), kept within the
// slider's range so that the page's idea of the position is the one shown.
int ZoomSliderPosition(int zoomValue);
int ZoomOfSliderPosition(int position);
// "100 %".
std::string ZoomLabel(int zoomValue);
