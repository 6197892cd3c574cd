#include "render/alpha_blend_win.h"

#include "win/proc_address_win.h"

namespace {
AlphaBlendFn theAlphaBlend = nullptr;
}  // namespace

AlphaBlendFn TheAlphaBlend() {
    return theAlphaBlend;
}

void SetAlphaBlend(AlphaBlendFn function) {
    theAlphaBlend = function;
}

void AlphaBlendLibrary::Use(bool needed) {
    if (needed && !module_) {
        module_.reset(::LoadLibraryA("msimg32.dll"));
        const AlphaBlendFn blend = LookupProc<AlphaBlendFn>(module_.get(), "AlphaBlend");
        if (blend)
            SetAlphaBlend(blend);
        else
            module_.reset();
    } else if (!needed && module_) {
        SetAlphaBlend(nullptr);
        module_.reset();
    }
}
