#include "render/alpha_blend_win.h"

namespace {
AlphaBlendFn theAlphaBlend = nullptr;
}  // namespace

AlphaBlendFn TheAlphaBlend() {
    return theAlphaBlend;
}

void SetAlphaBlend(AlphaBlendFn function) {
    theAlphaBlend = function;
}
