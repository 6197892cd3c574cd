#pragma once
// The plug-in host: loads the DLLs named in ActivePlugins from the plug-in
// folder and calls their exports (see sdk/tavix_plugin.h for the contract that
// plug-ins build against; the records used here are that header's).

#include <windows.h>

#include <memory>
#include <string>

#ifndef TAVIX_PLUGIN_NO_EXPORT_DECLS
#define TAVIX_PLUGIN_NO_EXPORT_DECLS
#endif
#include "sdk/tavix_plugin.h"

#include "render/frame_hooks_win.h"

class SettingsStore;

// One loaded plug-in. The entry points are resolved once at load, so that the
// per-frame calls need no lookup.
struct PluginRecord {
    std::unique_ptr<PluginRecord> next;
    std::string fileName;      // as listed in ActivePlugins, without the folder
    HMODULE module = nullptr;  // never released, see ~CPlugins
    TavixOnConfigProc onConfig = nullptr;
    TavixOnInitProc onInit = nullptr;
    TavixOnDestroyProc onDestroy = nullptr;
    TavixOnSkinLoadedProc onSkinLoaded = nullptr;
    TavixOnTickProc onTick = nullptr;  // resolved for completeness, never called
    TavixOnDrawProc onDrawedImage = nullptr;
    TavixOnDrawProc onDrawBegin = nullptr;
};

class CPlugins : public FrameHooks {
public:
    CPlugins() = default;
    // Calls every plug-in's OnDestroy, most recently loaded first.
    virtual ~CPlugins();
    CPlugins(const CPlugins&) = delete;
    CPlugins& operator=(const CPlugins&) = delete;

    // Loads every plug-in named in the store's ActivePlugins from `folder` (the
    // program's Plugins\ folder), calls its OnInit and keeps those that accept.
    // Each accepted plug-in goes to the head of the list, so the hooks run in
    // the reverse of the listed order. Failures are reported with language
    // string 100 and the file name; loading goes on with the next name.
    void LoadPlugins(const std::string& folder,
                     const SettingsStore& settings,
                     HWND clockWindow,
                     const std::string& langFile);

    // The frame hooks: no allocation, no lookup.
    void CallDrawBegin(HDC work) const;
    void CallDrawedImage(HDC work) const;
    void CallSkinLoaded(const SkinInfo* skin) const;
    void OnDrawBegin(HDC work) override { CallDrawBegin(work); }
    void OnDrawedImage(HDC work) override { CallDrawedImage(work); }
    bool DrawsOnFrames() const override;

    // Runs the plug-in's OnConfig with `owner` as the parent of its dialog. A
    // plug-in that is not loaded is loaded for this call alone, without OnInit
    // or OnDestroy.
    void ConfigurePlugin(const std::string& fileName, HWND owner) const;

    // The loaded plug-ins, most recently loaded first.
    const PluginRecord* Head() const { return head_.get(); }
    // Ends with a backslash; empty until LoadPlugins ran.
    const std::string& Folder() const { return folder_; }

private:
    std::unique_ptr<PluginRecord> head_;
    std::string folder_;
};
