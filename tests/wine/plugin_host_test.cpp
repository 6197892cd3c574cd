#include "options/plugin_host_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/language_table.h"
#include "core/settings_store.h"
#include "win/message_box_win.h"
#include "win/unique_handle.h"

namespace {

const char* const kCannotLoad = "Cannot load plug-in: ";
const char* const kNoSettings = "This plug-in has no settings.";
const HWND kClockWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5A5A0));
const HWND kSheetWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7B7B0));

std::vector<std::string> shownMessages;

void RecordMessage(const char* text) {
    shownMessages.emplace_back(text);
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

// The recorder builds (tests/plugins) lie in test-plugins\ beside this binary.
std::string BuiltPluginFolder() {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FolderOf(std::string(path, length)) + "test-plugins\\";
}

// One line of the recorder's log: "<file> <event> key=value ...".
struct Call {
    std::string file;
    std::string event;
    std::map<std::string, std::string> args;
    std::string rest;  // everything after the event

    unsigned long long Number(const std::string& key) const {
        const auto it = args.find(key);
        return it == args.end() ? ~0ull : std::strtoull(it->second.c_str(), nullptr, 16);
    }
    std::string Text() const { return file + " " + event; }
};

// A scratch plug-in folder per test: each test installs the builds it needs
// under names of its own, so every test gets fresh modules even though
// accepted plug-ins are never unloaded.
class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(0u, ::GetTempPathA(MAX_PATH, temp));
        const std::string base = std::string(temp) + "tavix-plugin-tests-" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(base.c_str(), nullptr);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = base + "\\" + info->name() + "\\";
        ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
        log_ = folder_ + "calls.log";
        ::DeleteFileA(log_.c_str());
        ::SetEnvironmentVariableA("TAVIX_PLUGIN_LOG", log_.c_str());
        shownMessages.clear();
        SetMessageBoxHook(RecordMessage);
        TheLanguageTable().Set(100, kCannotLoad);
        TheLanguageTable().Set(101, kNoSettings);
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        ::SetEnvironmentVariableA("TAVIX_PLUGIN_LOG", nullptr);
    }

    void Install(const char* build, const std::string& as) const {
        const std::string from = BuiltPluginFolder() + build + ".dll";
        ASSERT_TRUE(::CopyFileA(from.c_str(), (folder_ + as).c_str(), FALSE)) << from;
    }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    void Load(CPlugins& plugins, const std::string* active) const {
        MemoryStore store;
        if (active)
            store.WriteString("", "ActivePlugins", *active);
        plugins.LoadPlugins(folder_, store, kClockWindow, "deutsch.lng");
    }
    void Load(CPlugins& plugins, const std::string& active) const { Load(plugins, &active); }

    // The calls recorded so far; with `lifetime` false without the DLLs' attach and detach lines.
    std::vector<Call> Calls(bool lifetime = false) const {
        std::vector<Call> calls;
        std::ifstream in(log_);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            Call call;
            fields >> call.file >> call.event;
            if (!lifetime && (call.event == "attach" || call.event == "detach"))
                continue;
            std::getline(fields, call.rest);
            if (!call.rest.empty() && call.rest[0] == ' ')
                call.rest.erase(0, 1);
            std::istringstream words(call.rest);
            std::string word;
            while (words >> word) {
                const size_t equals = word.find('=');
                if (equals != std::string::npos)
                    call.args[word.substr(0, equals)] = word.substr(equals + 1);
            }
            calls.push_back(call);
        }
        return calls;
    }
    std::vector<std::string> Events(bool lifetime = false) const {
        std::vector<std::string> events;
        for (const Call& call : Calls(lifetime))
            events.push_back(call.Text());
        return events;
    }
    void ForgetCalls() const { ::DeleteFileA(log_.c_str()); }

    static std::vector<std::string> Names(const CPlugins& plugins) {
        std::vector<std::string> names;
        for (const PluginRecord* r = plugins.Head(); r; r = r->next.get())
            names.push_back(r->fileName);
        return names;
    }

    std::string folder_;
    std::string log_;
};

// A memory surface holding a bitmap of the given size, as frame composition hands out.
struct WorkSurface {
    WorkSurface(int width, int height) {
        WindowDC screen(nullptr);
        dc.reset(::CreateCompatibleDC(screen.get()));
        bitmap.reset(::CreateCompatibleBitmap(screen.get(), width, height));
        selected = std::make_unique<SelectGuard>(dc.get(), bitmap.get());
    }
    UniqueMemoryDC dc;
    UniqueBitmap bitmap;
    std::unique_ptr<SelectGuard> selected;
};

// The smallest file a loader reads as a 32-bit (x86) DLL.
std::string Pe32DllHeader() {
    std::string image(0x400, '\0');
    const auto put16 = [&image](size_t at, unsigned value) {
        image[at] = static_cast<char>(value & 0xFF);
        image[at + 1] = static_cast<char>(value >> 8);
    };
    const auto put32 = [&](size_t at, unsigned value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, value >> 16);
    };
    image[0] = 'M';
    image[1] = 'Z';
    put32(0x3C, 0x40);  // e_lfanew
    image.replace(0x40, 4, std::string("PE\0\0", 4));
    put16(0x44, 0x014C);  // IMAGE_FILE_MACHINE_I386
    put16(0x46, 0);       // no sections
    put16(0x54, 0xE0);    // size of the PE32 optional header
    put16(0x56, 0x2102);  // executable, 32-bit machine, DLL
    const size_t opt = 0x58;
    put16(opt, 0x010B);           // PE32 magic
    put32(opt + 28, 0x10000000);  // image base
    put32(opt + 32, 0x1000);      // section alignment
    put32(opt + 36, 0x200);       // file alignment
    put16(opt + 40, 4);           // operating system version
    put16(opt + 48, 4);           // subsystem version
    put32(opt + 56, 0x1000);      // size of image
    put32(opt + 60, 0x200);       // size of headers
    put16(opt + 68, 2);           // GUI subsystem
    put32(opt + 92, 16);          // data directories
    return image;
}

}  // namespace

TEST_F(PluginHostTest, NothingListedLoadsNothingAndSaysNothing) {
    const std::string empty;
    for (const std::string* active : {static_cast<const std::string*>(nullptr), &empty}) {
        CPlugins plugins;
        Load(plugins, active);
        EXPECT_EQ(plugins.Head(), nullptr);
        EXPECT_EQ(plugins.Folder(), folder_);
    }
    EXPECT_TRUE(shownMessages.empty());

    // The folder gains its backslash when given without one.
    CPlugins plugins;
    MemoryStore store;
    plugins.LoadPlugins(folder_.substr(0, folder_.size() - 1), store, kClockWindow, "english.lng");
    EXPECT_EQ(plugins.Folder(), folder_);
}

TEST_F(PluginHostTest, HooksRunInReverseOfTheListedOrder) {
    Install("init_0", "a.dll");
    Install("no_init", "b.dll");
    Install("init_2", "c.dll");
    {
        CPlugins plugins;
        // d.dll has no bar after it: cut off, not loaded, not reported.
        Load(plugins, "a.dll|b.dll|c.dll|d.dll");
        EXPECT_EQ(Names(plugins), (std::vector<std::string>{"c.dll", "b.dll", "a.dll"}));
        EXPECT_EQ(Events(), (std::vector<std::string>{"a.dll OnInit", "c.dll OnInit"}));

        ForgetCalls();
        WorkSurface work(8, 8);
        SkinInfo skin{};
        plugins.CallSkinLoaded(&skin);
        plugins.CallDrawBegin(work.dc.get());
        plugins.CallDrawedImage(work.dc.get());
        EXPECT_EQ(Events(),
                  (std::vector<std::string>{"c.dll OnSkinLoaded", "b.dll OnSkinLoaded", "a.dll OnSkinLoaded",
                                            "c.dll OnDrawBegin", "b.dll OnDrawBegin", "a.dll OnDrawBegin",
                                            "c.dll OnDrawedImage", "b.dll OnDrawedImage", "a.dll OnDrawedImage"}));
        ForgetCalls();
    }
    // OnDestroy head first; the libraries stay loaded (no detach).
    EXPECT_EQ(Events(true), (std::vector<std::string>{"c.dll OnDestroy", "b.dll OnDestroy", "a.dll OnDestroy"}));
    EXPECT_NE(::GetModuleHandleA((folder_ + "a.dll").c_str()), nullptr);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(PluginHostTest, InitResultDecidesWhetherAPluginStays) {
    struct Case {
        const char* build;
        bool stays;
        bool message;
        bool hooked;  // exports the frame hooks
    } cases[] = {
        {"init_minus1", false, false, true}, {"init_1", false, true, true},  {"init_0", true, false, true},
        {"init_2", true, false, true},       {"no_init", true, false, true}, {"only_tick", true, false, false},
        {"no_exports", true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.build);
        const std::string name = std::string(c.build) + ".dll";
        Install(c.build, name);
        ForgetCalls();
        shownMessages.clear();
        {
            CPlugins plugins;
            Load(plugins, name + "|");
            EXPECT_EQ(Names(plugins), c.stays ? std::vector<std::string>{name} : std::vector<std::string>{});
            EXPECT_EQ(shownMessages,
                      c.message ? std::vector<std::string>{kCannotLoad + name} : std::vector<std::string>{});
            WorkSurface work(4, 4);
            SkinInfo skin{};
            plugins.CallSkinLoaded(&skin);
            plugins.CallDrawBegin(work.dc.get());
            plugins.CallDrawedImage(work.dc.get());
        }
        const std::vector<Call> calls = Calls(true);
        std::vector<std::string> events;
        for (const Call& call : calls)
            events.push_back(call.event);
        std::vector<std::string> expected{"attach"};
        const bool hasInit = c.hooked && std::string(c.build) != "no_init";
        if (hasInit)
            expected.push_back("OnInit");
        if (!c.stays)
            expected.push_back("detach");  // refused: released at once
        if (c.stays && c.hooked) {
            for (const char* hook : {"OnSkinLoaded", "OnDrawBegin", "OnDrawedImage", "OnDestroy"})
                expected.push_back(hook);
        }
        // only_tick exports OnTick alone and is never called.
        EXPECT_EQ(events, expected);
        if (hasInit) {
            EXPECT_EQ(calls[1].Number("window"), reinterpret_cast<UINT_PTR>(kClockWindow));
            EXPECT_EQ(calls[1].args.at("lang"), "deutsch.lng");
        }
    }
}

TEST_F(PluginHostTest, NameListedTwiceIsStartedTwiceAndCalledTwice) {
    Install("init_0", "twice.dll");
    {
        CPlugins plugins;
        Load(plugins, "twice.dll|twice.dll|");
        EXPECT_EQ(Names(plugins), (std::vector<std::string>{"twice.dll", "twice.dll"}));
        WorkSurface work(4, 4);
        plugins.CallDrawBegin(work.dc.get());
    }
    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0].args.at("call"), "1");
    EXPECT_EQ(calls[1].args.at("call"), "2");
    for (size_t i : {2, 3})
        EXPECT_EQ(calls[i].event, "OnDrawBegin");
    for (size_t i : {4, 5})
        EXPECT_EQ(calls[i].event, "OnDestroy");
}

TEST_F(PluginHostTest, UnloadableNamesAreReportedOnceAndTheOthersStillLoad) {
    Install("init_0", "good.dll");
    Install("init_0", "later.dll");
    WriteFile("notes.dll", "This is a text file, not a library.\r\n");
    WriteFile("empty.dll", "");
    WriteFile("x86.dll", Pe32DllHeader());
    CPlugins plugins;
    Load(plugins, "missing.dll|good.dll|notes.dll||empty.dll|x86.dll|..\\good.dll|" + folder_ +
                      "good.dll|missing.dll|later.dll|");
    EXPECT_EQ(Names(plugins), (std::vector<std::string>{"later.dll", "good.dll"}));
    // Empty names between bars name nothing; a repeated failure is shown once.
    EXPECT_EQ(shownMessages, (std::vector<std::string>{
                                 kCannotLoad + std::string("missing.dll"), kCannotLoad + std::string("notes.dll"),
                                 kCannotLoad + std::string("empty.dll"), kCannotLoad + std::string("x86.dll"),
                                 kCannotLoad + std::string("..\\good.dll"), kCannotLoad + folder_ + "good.dll"}));
}

TEST_F(PluginHostTest, ValueOfSixtyFourKilobytesLoadsWhatItNames) {
    Install("init_0", "after.dll");
    struct Case {
        std::string filler;
        std::vector<std::string> messages;
    } cases[] = {
        {"|", {}},
        {"gone.dll|", {kCannotLoad + std::string("gone.dll")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filler);
        shownMessages.clear();
        std::string active;
        while (active.size() < 64 * 1024)
            active += c.filler;
        CPlugins plugins;
        Load(plugins, active + "after.dll|");
        EXPECT_EQ(Names(plugins), std::vector<std::string>{"after.dll"});
        EXPECT_EQ(shownMessages, c.messages);
    }
}

TEST_F(PluginHostTest, HooksReceiveTheSurfaceAndTheSkinUnchanged) {
    Install("no_init", "rec.dll");
    CPlugins plugins;
    Load(plugins, "rec.dll|");
    WorkSurface work(37, 23);
    plugins.CallDrawBegin(work.dc.get());
    plugins.CallDrawedImage(work.dc.get());

    WorkSurface background(37, 23);
    const char presetPath[] = "C:\\Tavix\\Presets\\Classic.bmp";
    SkinInfo skin{};
    skin.workWidth = 37;
    skin.workHeight = 23;
    skin.ampmColor = 0x00112233;
    skin.ampmFontSize = 12;
    skin.dateColor = 0x00445566;
    skin.dateFontSize = 14;
    skin.scalePercent = 250;
    skin.centerX = 18;
    skin.centerY = 11;
    skin.ampmCenterX = 5;
    skin.ampmCenterY = 6;
    skin.dateCenterX = 7;
    skin.dateCenterY = -8;
    skin.backgroundBitmap = background.bitmap.get();
    skin.presetPath = presetPath;
    plugins.CallSkinLoaded(&skin);

    const std::vector<Call> calls = Calls();
    ASSERT_EQ(calls.size(), 3u);
    for (size_t i : {0, 1}) {
        EXPECT_EQ(calls[i].Number("dc"), reinterpret_cast<UINT_PTR>(work.dc.get())) << calls[i].event;
        EXPECT_EQ(calls[i].args.at("size"), "37x23") << calls[i].event;
    }
    EXPECT_EQ(calls[0].event, "OnDrawBegin");
    EXPECT_EQ(calls[1].event, "OnDrawedImage");
    const Call& skinCall = calls[2];
    EXPECT_EQ(skinCall.event, "OnSkinLoaded");
    EXPECT_EQ(skinCall.args.at("work"), "37x23");
    EXPECT_EQ(skinCall.args.at("ampm"), "112233/12");
    EXPECT_EQ(skinCall.args.at("date"), "445566/14");
    EXPECT_EQ(skinCall.args.at("scale"), "250");
    EXPECT_EQ(skinCall.args.at("center"), "18,11");
    EXPECT_EQ(skinCall.args.at("ampmAt"), "5,6");
    EXPECT_EQ(skinCall.args.at("dateAt"), "7,-8");
    EXPECT_EQ(skinCall.Number("background"), reinterpret_cast<UINT_PTR>(background.bitmap.get()));
    EXPECT_EQ(skinCall.args.at("path"), presetPath);
}

TEST_F(PluginHostTest, DrawingFarOutsideTheSurfaceIsClipped) {
    Install("draws_outside", "wild.dll");
    CPlugins plugins;
    Load(plugins, "wild.dll|");
    WorkSurface work(16, 16);
    plugins.CallDrawBegin(work.dc.get());
    plugins.CallDrawBegin(work.dc.get());
    // Blue everywhere; the far line crosses the surface on its diagonal, if the platform draws it at all.
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const COLORREF pixel = ::GetPixel(work.dc.get(), x, y) & 0xFFFFFF;
            if (x == y && pixel == RGB(0, 0, 0))
                continue;
            ASSERT_EQ(pixel, RGB(0, 0, 255)) << x << "," << y;
        }
    }
}

TEST_F(PluginHostTest, ConfigureUsesTheLoadedPluginOrATemporaryOne) {
    Install("init_0", "loaded.dll");
    Install("init_0", "idle.dll");
    Install("only_tick", "plain.dll");
    CPlugins plugins;
    Load(plugins, "loaded.dll|");
    ForgetCalls();

    struct Case {
        const char* name;
        std::vector<std::string> events;  // lifetime included
        std::vector<std::string> messages;
    } cases[] = {
        {"loaded.dll", {"loaded.dll OnConfig"}, {}},
        // Loaded for the call alone: no OnInit, no OnDestroy, released afterwards.
        {"idle.dll", {"idle.dll attach", "idle.dll OnConfig", "idle.dll detach"}, {}},
        {"plain.dll", {"plain.dll attach", "plain.dll detach"}, {kNoSettings}},
        {"missing.dll", {}, {kCannotLoad + std::string("missing.dll")}},
        {"..\\loaded.dll", {}, {kCannotLoad + std::string("..\\loaded.dll")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ForgetCalls();
        shownMessages.clear();
        plugins.ConfigurePlugin(c.name, kSheetWindow);
        EXPECT_EQ(Events(true), c.events);
        EXPECT_EQ(shownMessages, c.messages);
        for (const Call& call : Calls())
            EXPECT_EQ(call.Number("owner"), reinterpret_cast<UINT_PTR>(kSheetWindow));
    }
    EXPECT_EQ(::GetModuleHandleA((folder_ + "idle.dll").c_str()), nullptr);
    EXPECT_NE(::GetModuleHandleA((folder_ + "loaded.dll").c_str()), nullptr);

    // Before LoadPlugins there is no folder to look in.
    CPlugins fresh;
    shownMessages.clear();
    fresh.ConfigurePlugin("loaded.dll", kSheetWindow);
    EXPECT_EQ(shownMessages, std::vector<std::string>{kCannotLoad + std::string("loaded.dll")});
}
