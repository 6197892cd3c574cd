#pragma once
// The record that tells plug-ins about a preset just loaded.

#include "render/loaded_preset_win.h"

#ifndef TAVIX_PLUGIN_NO_EXPORT_DECLS
#define TAVIX_PLUGIN_NO_EXPORT_DECLS
#endif
#include "sdk/tavix_plugin.h"

// Valid as long as the preset is: it points at its background and path.
SkinInfo SkinInfoOf(const LoadedPreset& preset);
