#include "options/zoom_slider.h"

#include <algorithm>

int ZoomSliderPosition(int zoomValue) {
    return std::clamp(zoomValue / kZoomPerPosition, kZoomSliderMin, kZoomSliderMax);
}

int ZoomOfSliderPosition(int position) {
    return position * kZoomPerPosition;
}

std::string ZoomLabel(int zoomValue) {
    return std::to_string(zoomValue) + " %";
}
