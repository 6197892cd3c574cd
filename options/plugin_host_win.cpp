#include "options/plugin_host_win.h"

#include <set>
#include <utility>

#include "core/language_table.h"
#include "core/settings_store.h"
#include "options/active_plugins.h"
#include "win/message_box_win.h"
#include "win/proc_address_win.h"
#include "win/readable_file_win.h"
#include "win/unique_handle.h"

namespace {

constexpr int kCannotLoadText = 100;  // followed directly by the file name
constexpr int kNoSettingsText = 101;

bool IsLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

void ShowCannotLoad(const std::string& fileName) {
    ShowMessage((std::string(TheLanguageTable().Text(kCannotLoadText)) + fileName).c_str());
}

// Windows refuses a DLL built for another machine, but Wine maps some of them
// (a 32-bit image without code loads into a 64-bit process there), and a call
// into one would crash. Only an image for this process's machine counts.
bool IsImageForThisProcess(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew <= 0)
        return false;
    // The 64-bit layout is safe to read here: Machine and Magic lie at the same offsets in both.
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE && nt->FileHeader.Machine == IMAGE_FILE_MACHINE_AMD64 &&
           nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
}

UniqueModule LoadPluginLibrary(const std::string& folder, const std::string& fileName) {
    // A name with a folder part would load a DLL from outside the plug-in folder.
    if (folder.empty() || !IsPlainPluginFileName(fileName, IsLeadByte))
        return UniqueModule();
    const std::string path = folder + fileName;
    if (!IsReadableFile(path))
        return UniqueModule();
    // Windows shows its own modal boxes from inside the loader for a damaged
    // image or a missing dependency unless the thread asks it not to; the
    // caller's message names the plug-in instead.
    DWORD previousMode = 0;
    const bool modeSet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    UniqueModule module(::LoadLibraryA(path.c_str()));
    if (modeSet)
        ::SetThreadErrorMode(previousMode, nullptr);
    if (module && !IsImageForThisProcess(module.get()))
        module.reset();
    return module;
}

void ResolveExports(PluginRecord& record) {
    const HMODULE m = record.module;
    record.onInit = LookupProc<TavixOnInitProc>(m, "OnInit");
    record.onDestroy = LookupProc<TavixOnDestroyProc>(m, "OnDestroy");
    record.onTick = LookupProc<TavixOnTickProc>(m, "OnTick");
    record.onDrawedImage = LookupProc<TavixOnDrawProc>(m, "OnDrawedImage");
    record.onDrawBegin = LookupProc<TavixOnDrawProc>(m, "OnDrawBegin");
    record.onConfig = LookupProc<TavixOnConfigProc>(m, "OnConfig");
    record.onSkinLoaded = LookupProc<TavixOnSkinLoadedProc>(m, "OnSkinLoaded");
}

}  // namespace

CPlugins::~CPlugins() {
    // Unlinked one at a time, head first, so a long list never recurses through
    // the records' own destructors. The libraries stay loaded: a plug-in may
    // have left timers, hooks, subclassed windows or threads running that point
    // into its code, and the process ends right after this anyway.
    while (head_) {
        std::unique_ptr<PluginRecord> record = std::move(head_);
        head_ = std::move(record->next);
        if (record->onDestroy)
            record->onDestroy();
    }
}

void CPlugins::LoadPlugins(const std::string& folder,
                           const SettingsStore& settings,
                           HWND clockWindow,
                           const std::string& langFile) {
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '\\' && folder_.back() != '/')
        folder_ += '\\';

    const std::string active = settings.GetString("", "ActivePlugins", "");
    if (active.empty())
        return;

    // The same record for every OnInit of this load; it outlives each call.
    PluginInitInfo info{};
    info.clockWindow = clockWindow;
    info.langFile = langFile.c_str();

    // One message per name: a damaged value repeating a missing name must not
    // bury the start in identical boxes.
    std::set<std::string> reported;
    const auto reportOnce = [&reported](const std::string& fileName) {
        if (reported.insert(fileName).second)
            ShowCannotLoad(fileName);
    };

    for (std::string& fileName : SplitActivePlugins(active, IsLeadByte)) {
        // Two bars in a row name no file: nothing was enabled there.
        if (fileName.empty())
            continue;
        UniqueModule module = LoadPluginLibrary(folder_, fileName);
        if (!module) {
            reportOnce(fileName);
            continue;
        }
        auto record = std::make_unique<PluginRecord>();
        record->fileName = std::move(fileName);
        record->module = module.get();
        ResolveExports(*record);
        if (record->onInit) {
            const int result = record->onInit(&info);
            if (result == TAVIX_PLUGIN_REFUSE_QUIETLY)
                continue;
            if (result == TAVIX_PLUGIN_REFUSE_WITH_MESSAGE) {
                reportOnce(record->fileName);
                continue;
            }
        }
        // Accepted: from here on the library is never released (see ~CPlugins).
        module.release();
        record->next = std::move(head_);
        head_ = std::move(record);
    }
}

void CPlugins::CallDrawBegin(HDC work) const {
    for (const PluginRecord* r = head_.get(); r; r = r->next.get()) {
        if (r->onDrawBegin)
            r->onDrawBegin(work);
    }
}

bool CPlugins::DrawsOnFrames() const {
    for (const PluginRecord* r = head_.get(); r; r = r->next.get()) {
        if (r->onDrawBegin || r->onDrawedImage)
            return true;
    }
    return false;
}

void CPlugins::CallDrawedImage(HDC work) const {
    for (const PluginRecord* r = head_.get(); r; r = r->next.get()) {
        if (r->onDrawedImage)
            r->onDrawedImage(work);
    }
}

void CPlugins::CallSkinLoaded(const SkinInfo* skin) const {
    for (const PluginRecord* r = head_.get(); r; r = r->next.get()) {
        if (r->onSkinLoaded)
            r->onSkinLoaded(skin);
    }
}

void CPlugins::ConfigurePlugin(const std::string& fileName, HWND owner) const {
    HMODULE module = nullptr;
    UniqueModule temporary;
    if (!folder_.empty() && IsPlainPluginFileName(fileName, IsLeadByte)) {
        module = ::GetModuleHandleA((folder_ + fileName).c_str());
    }
    if (!module) {
        temporary = LoadPluginLibrary(folder_, fileName);
        if (!temporary) {
            ShowCannotLoad(fileName);
            return;
        }
        module = temporary.get();
    }
    const auto onConfig = LookupProc<TavixOnConfigProc>(module, "OnConfig");
    if (onConfig) {
        onConfig(owner);
    } else {
        ShowMessage(TheLanguageTable().Text(kNoSettingsText));
    }
}
