// probe: looks at and pokes the windows of the other programs in the same Wine
// session for the end-to-end tests. Each result is one JSON object per line on
// stdout; the exit code is 0 on success, 1 when nothing matched or a wait ran
// out, 2 on a usage error. No command waits without a time limit.
//
//   probe windows [--pid N]
//   probe msgboxes [--pid N]
//   probe click <hwnd> <button text or id>
//   probe key <hwnd> escape|enter
//   probe close <hwnd>
//   probe post <hwnd> <msg> <wparam> <lparam>
//   probe send <hwnd> <msg> <wparam> <lparam>
//   probe settext <hwnd> <control id> <text>      (a control of a dialog)
//   probe senditem <hwnd> <control id> <msg> <wparam> <lparam>
//   probe wait-window <title> <timeout ms> [--pid N]   (visible, not a message box)
//   probe wait-msgbox <timeout ms> [--pid N] [--not hwnd,hwnd,...]
//   probe wait-gone <hwnd> <timeout ms>
//   probe metrics
//   probe tray        (the tooltips of the tray icons)
//   probe hide-tray
//   probe tray-delete <hwnd> <icon id>   (the shell forgets an icon, as after its restart)
//   probe record <file> <text>   (writes the text to the file: a stand-in for a browser)
//   probe watch-key <HKCU subkey> <timeout ms> [--kill-after-us N]
//       finds the pid of the window titled "Tavix", waits for the key to
//       appear, then either kills that process N microseconds later or
//       reports how long the key stayed
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Texts are 8-bit; bytes above 0x7f go out as \u00XX so that the reader can
// get the original bytes back by encoding as Latin-1.
std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

unsigned long long HandleValue(HWND w) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w));
}

bool ParseNumber(const char* text, unsigned long long* value) {
    char* end = nullptr;
    *value = strtoull(text, &end, 0);
    return end != text && *end == '\0';
}

bool ParseHandle(const char* text, HWND* w) {
    unsigned long long v = 0;
    if (!ParseNumber(text, &v))
        return false;
    *w = reinterpret_cast<HWND>(static_cast<uintptr_t>(v));
    return true;
}

std::string ClassOf(HWND w) {
    char buf[256] = "";
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

// GetWindowTextA never sends a message to a window of another process, so a
// busy or hung program cannot stall the probe.
std::string TextOf(HWND w) {
    char buf[2048] = "";
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

DWORD ProcessOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return pid;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND w, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

std::string DescribeWindow(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    const LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
    DWORD pid = 0;
    const DWORD tid = GetWindowThreadProcessId(w, &pid);
    char buf[512];
    snprintf(buf, sizeof buf,
             "\"hwnd\": %llu, \"pid\": %lu, \"tid\": %lu, \"rect\": [%ld, %ld, %ld, %ld], \"style\": %lu, "
             "\"exstyle\": %lu, \"owner\": %llu, \"visible\": %s, \"topmost\": %s",
             HandleValue(w), static_cast<unsigned long>(pid), static_cast<unsigned long>(tid), r.left, r.top, r.right,
             r.bottom, static_cast<unsigned long>(style), static_cast<unsigned long>(ex),
             HandleValue(GetWindow(w, GW_OWNER)), IsWindowVisible(w) ? "true" : "false",
             (ex & WS_EX_TOPMOST) ? "true" : "false");
    return "{" + std::string(buf) + ", \"class\": " + Quote(ClassOf(w)) + ", \"title\": " + Quote(TextOf(w)) + "}";
}

bool IsButton(HWND w) {
    return _stricmp(ClassOf(w).c_str(), "Button") == 0;
}

std::string DescribeDialog(HWND dlg) {
    std::string texts, buttons, children;
    for (HWND c : ChildWindows(dlg)) {
        const std::string cls = ClassOf(c);
        const std::string text = TextOf(c);
        const int id = GetDlgCtrlID(c);
        char head[160];
        snprintf(head, sizeof head, "{\"hwnd\": %llu, \"id\": %d, \"visible\": %s, \"class\": ", HandleValue(c), id,
                 IsWindowVisible(c) ? "true" : "false");
        if (!children.empty())
            children += ", ";
        children += head + Quote(cls) + ", \"text\": " + Quote(text) + "}";
        if (IsButton(c)) {
            char idbuf[64];
            snprintf(idbuf, sizeof idbuf, "{\"id\": %d, \"text\": ", id);
            if (!buttons.empty())
                buttons += ", ";
            buttons += idbuf + Quote(text) + "}";
        } else if (_stricmp(cls.c_str(), "Static") == 0 && !text.empty()) {
            if (!texts.empty())
                texts += ", ";
            texts += Quote(text);
        }
    }
    char buf[128];
    snprintf(buf, sizeof buf, "{\"hwnd\": %llu, \"pid\": %lu, \"visible\": %s, \"title\": ", HandleValue(dlg),
             static_cast<unsigned long>(ProcessOf(dlg)), IsWindowVisible(dlg) ? "true" : "false");
    return buf + Quote(TextOf(dlg)) + ", \"texts\": [" + texts + "], \"buttons\": [" + buttons + "], \"children\": [" +
           children + "]}";
}

// A message box is a visible dialog with at least one push button; the clock
// itself is a dialog too, but has no controls.
bool IsMessageBox(HWND w) {
    if (ClassOf(w) != "#32770" || !IsWindowVisible(w))
        return false;
    for (HWND c : ChildWindows(w)) {
        if (IsButton(c))
            return true;
    }
    return false;
}

void Print(const std::string& line) {
    fputs(line.c_str(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

// Options after the positional arguments: --pid N and --not a,b,c.
struct Filter {
    DWORD pid = 0;
    std::vector<HWND> excluded;

    bool Accepts(HWND w) const {
        if (pid != 0 && ProcessOf(w) != pid)
            return false;
        for (HWND x : excluded) {
            if (x == w)
                return false;
        }
        return true;
    }
};

bool ParseFilter(int argc, char** argv, int first, Filter* filter) {
    for (int i = first; i < argc; ++i) {
        unsigned long long v = 0;
        if (strcmp(argv[i], "--pid") == 0 && i + 1 < argc && ParseNumber(argv[i + 1], &v)) {
            filter->pid = static_cast<DWORD>(v);
            ++i;
        } else if (strcmp(argv[i], "--not") == 0 && i + 1 < argc) {
            std::string list = argv[++i];
            size_t start = 0;
            while (start <= list.size()) {
                const size_t comma = list.find(',', start);
                const std::string item =
                    list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                HWND w = nullptr;
                if (!item.empty()) {
                    if (!ParseHandle(item.c_str(), &w))
                        return false;
                    filter->excluded.push_back(w);
                }
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
        } else {
            return false;
        }
    }
    return true;
}

struct NamedMessage {
    const char* name;
    UINT value;
};

constexpr NamedMessage kMessages[] = {
    {"WM_CLOSE", WM_CLOSE},
    {"WM_TIMECHANGE", WM_TIMECHANGE},
    {"WM_TIMER", WM_TIMER},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_USER", WM_USER},
    {"DM_REPOSITION", WM_USER + 2},
    {"WM_KEYDOWN", WM_KEYDOWN},
    {"WM_KEYUP", WM_KEYUP},
    {"WM_RBUTTONUP", WM_RBUTTONUP},
    {"WM_RBUTTONDOWN", WM_RBUTTONDOWN},
    {"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK},
    {"WM_SETTINGCHANGE", WM_SETTINGCHANGE},
};

bool ParseMessage(const char* text, UINT* msg) {
    // "registered:Name" is the number the system gives the message name.
    if (strncmp(text, "registered:", 11) == 0) {
        *msg = RegisterWindowMessageA(text + 11);
        return *msg != 0;
    }
    for (const NamedMessage& m : kMessages) {
        if (_stricmp(text, m.name) == 0) {
            *msg = m.value;
            return true;
        }
    }
    unsigned long long v = 0;
    if (!ParseNumber(text, &v))
        return false;
    *msg = static_cast<UINT>(v);
    return true;
}

bool ParseTimeout(const char* text, DWORD* ms) {
    unsigned long long v = 0;
    if (!ParseNumber(text, &v) || v > 600000)
        return false;
    *ms = static_cast<DWORD>(v);
    return true;
}

// Polls until found() yields a window or the time is up.
template <typename Find>
HWND PollFor(DWORD timeout_ms, Find found) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
        if (HWND w = found())
            return w;
        if (GetTickCount64() >= deadline)
            return nullptr;
        Sleep(100);
    }
}

std::string StripAmpersands(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c != '&')
            out += c;
    }
    return out;
}

int Usage() {
    fputs(
        "usage: probe "
        "windows|msgboxes|click|key|close|post|send|wait-window|wait-msgbox|wait-gone|metrics|tray|hide-tray|"
        "watch-key|layered-floor ...\n",
        stderr);
    return 2;
}

int CmdWindows(int argc, char** argv) {
    Filter filter;
    if (!ParseFilter(argc, argv, 2, &filter))
        return Usage();
    for (HWND w : TopLevelWindows()) {
        if (filter.Accepts(w))
            Print(DescribeWindow(w));
    }
    return 0;
}

int CmdMessageBoxes(int argc, char** argv) {
    Filter filter;
    if (!ParseFilter(argc, argv, 2, &filter))
        return Usage();
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) == "#32770" && filter.Accepts(w))
            Print(DescribeDialog(w));
    }
    return 0;
}

int CmdClick(int argc, char** argv) {
    HWND dlg = nullptr;
    if (argc != 4 || !ParseHandle(argv[2], &dlg))
        return Usage();
    if (!IsWindow(dlg)) {
        fprintf(stderr, "probe: no window %s\n", argv[2]);
        return 1;
    }
    unsigned long long wanted_id = 0;
    const bool by_id = ParseNumber(argv[3], &wanted_id);
    const std::string wanted_text = StripAmpersands(argv[3]);
    for (HWND c : ChildWindows(dlg)) {
        if (!IsButton(c))
            continue;
        const int id = GetDlgCtrlID(c);
        const bool match = by_id ? static_cast<unsigned long long>(id) == wanted_id
                                 : _stricmp(StripAmpersands(TextOf(c)).c_str(), wanted_text.c_str()) == 0;
        if (!match)
            continue;
        // A posted WM_COMMAND is what the button itself would send; unlike
        // BM_CLICK it needs neither focus nor a visible button.
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(c));
        char buf[96];
        snprintf(buf, sizeof buf, "{\"clicked\": %d, \"hwnd\": %llu}", id, HandleValue(c));
        Print(buf);
        return 0;
    }
    fprintf(stderr, "probe: no button %s in window %s\n", argv[3], argv[2]);
    return 1;
}

int CmdKey(int argc, char** argv) {
    HWND w = nullptr;
    if (argc != 4 || !ParseHandle(argv[2], &w))
        return Usage();
    UINT vk = 0;
    if (_stricmp(argv[3], "escape") == 0) {
        vk = VK_ESCAPE;
    } else if (_stricmp(argv[3], "enter") == 0) {
        vk = VK_RETURN;
    } else {
        return Usage();
    }
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16;
    const BOOL down = PostMessageA(w, WM_KEYDOWN, vk, scan | 1);
    const BOOL up = PostMessageA(w, WM_KEYUP, vk, scan | 1 | 0xC0000000LL);
    if (!down || !up) {
        fprintf(stderr, "probe: cannot post to window %s\n", argv[2]);
        return 1;
    }
    Print("{\"posted\": true}");
    return 0;
}

int CmdClose(int argc, char** argv) {
    HWND w = nullptr;
    if (argc != 3 || !ParseHandle(argv[2], &w))
        return Usage();
    if (!PostMessageA(w, WM_CLOSE, 0, 0))
        return 1;
    Print("{\"posted\": true}");
    return 0;
}

// A window that is merely slow (a loaded machine, a program starving for the
// processor) still answers in time; a hung one ends the wait.
constexpr UINT kAnswerMs = 20000;

int NoAnswer(const char* window) {
    const DWORD error = GetLastError();
    fprintf(stderr, "probe: no answer from window %s (%s, error %lu)\n", window,
            error == ERROR_TIMEOUT                 ? "timed out"
            : error == ERROR_INVALID_WINDOW_HANDLE ? "no such window"
                                                   : "failed",
            error);
    return 1;
}

int CmdPostOrSend(int argc, char** argv, bool send) {
    HWND w = nullptr;
    UINT msg = 0;
    unsigned long long wp = 0, lp = 0;
    if (argc != 6 || !ParseHandle(argv[2], &w) || !ParseMessage(argv[3], &msg) || !ParseNumber(argv[4], &wp) ||
        !ParseNumber(argv[5], &lp)) {
        return Usage();
    }
    if (!send) {
        if (!PostMessageA(w, msg, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp)))
            return 1;
        Print("{\"posted\": true}");
        return 0;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(w, msg, static_cast<WPARAM>(wp), static_cast<LPARAM>(lp), SMTO_NORMAL, kAnswerMs,
                             &result)) {
        return NoAnswer(argv[2]);
    }
    char buf[64];
    snprintf(buf, sizeof buf, "{\"result\": %lld}", static_cast<long long>(result));
    Print(buf);
    return 0;
}

// The system carries WM_SETTEXT's string across processes.
int CmdSetText(int argc, char** argv) {
    HWND w = nullptr;
    unsigned long long id = 0;
    if (argc != 5 || !ParseHandle(argv[2], &w) || !ParseNumber(argv[3], &id))
        return Usage();
    HWND item = GetDlgItem(w, static_cast<int>(id));
    if (!item) {
        fprintf(stderr, "probe: no control %s in window %s (error %lu)\n", argv[3], argv[2], GetLastError());
        return 1;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_NORMAL, kAnswerMs, &result))
        return NoAnswer(argv[3]);
    if (!result) {
        fprintf(stderr, "probe: control %s in window %s refused the text\n", argv[3], argv[2]);
        return 1;
    }
    Print("{\"set\": true}");
    return 0;
}

int CmdSendItem(int argc, char** argv) {
    HWND w = nullptr;
    unsigned long long id = 0;
    if (argc != 7 || !ParseHandle(argv[2], &w) || !ParseNumber(argv[3], &id))
        return Usage();
    HWND item = GetDlgItem(w, static_cast<int>(id));
    if (!item) {
        fprintf(stderr, "probe: no control %s in window %s\n", argv[3], argv[2]);
        return 1;
    }
    char handle[32];
    snprintf(handle, sizeof handle, "%llu", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(item)));
    char* args[] = {argv[0], argv[1], handle, argv[4], argv[5], argv[6]};
    return CmdPostOrSend(6, args, true);
}

int CmdWaitWindow(int argc, char** argv) {
    DWORD timeout = 0;
    Filter filter;
    if (argc < 4 || !ParseTimeout(argv[3], &timeout) || !ParseFilter(argc, argv, 4, &filter))
        return Usage();
    const std::string title = argv[2];
    HWND found = PollFor(timeout, [&]() -> HWND {
        for (HWND w : TopLevelWindows()) {
            if (IsWindowVisible(w) && TextOf(w) == title && !IsMessageBox(w) && filter.Accepts(w))
                return w;
        }
        return nullptr;
    });
    if (!found)
        return 1;
    Print(DescribeWindow(found));
    return 0;
}

int CmdWaitMessageBox(int argc, char** argv) {
    DWORD timeout = 0;
    Filter filter;
    if (argc < 3 || !ParseTimeout(argv[2], &timeout) || !ParseFilter(argc, argv, 3, &filter))
        return Usage();
    HWND found = PollFor(timeout, [&]() -> HWND {
        for (HWND w : TopLevelWindows()) {
            if (IsMessageBox(w) && filter.Accepts(w))
                return w;
        }
        return nullptr;
    });
    if (!found)
        return 1;
    Print(DescribeDialog(found));
    return 0;
}

int CmdWaitGone(int argc, char** argv) {
    HWND w = nullptr;
    DWORD timeout = 0;
    if (argc != 4 || !ParseHandle(argv[2], &w) || !ParseTimeout(argv[3], &timeout))
        return Usage();
    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (IsWindow(w)) {
        if (GetTickCount64() >= deadline)
            return 1;
        Sleep(100);
    }
    Print("{\"gone\": true}");
    return 0;
}

int CmdMetrics() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    char buf[160];
    snprintf(buf, sizeof buf, "{\"screen\": [%d, %d], \"workarea\": [%ld, %ld, %ld, %ld]}",
             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), work.left, work.top, work.right,
             work.bottom);
    Print(buf);
    return 0;
}

// Wine keeps the tray icons in its explorer process; without a dock on the X
// display it shows them in a small "Wine System Tray" window whose icons each
// own a tool of a tooltip control. The control's text is read through a buffer
// placed in that process, because messages above WM_USER carry raw pointers.
struct RemoteBuffer {
    HANDLE process = nullptr;
    void* address = nullptr;
    ~RemoteBuffer() {
        if (address)
            VirtualFreeEx(process, address, 0, MEM_RELEASE);
        if (process)
            CloseHandle(process);
    }
};

bool ContainsTray(const std::string& cls) {
    std::string lower;
    for (char c : cls)
        lower += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return lower.find("tray") != std::string::npos;
}

std::string Narrow(const wchar_t* text) {
    char buf[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, buf, sizeof buf, nullptr, nullptr);
    return buf;
}

void PrintTrayTips(HWND tooltip) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count))
        return;
    RemoteBuffer remote;
    remote.process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(tooltip));
    if (!remote.process)
        return;
    constexpr size_t kTextChars = 512;
    const size_t size = sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t);
    remote.address = VirtualAllocEx(remote.process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remote.address)
        return;
    auto* remote_text = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address) + sizeof(TTTOOLINFOW));
    for (DWORD_PTR i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = remote_text;
        const wchar_t empty = 0;
        DWORD_PTR ok = 0;
        if (!WriteProcessMemory(remote.process, remote.address, &info, sizeof info, nullptr) ||
            !WriteProcessMemory(remote.process, remote_text, &empty, sizeof empty, nullptr) ||
            !SendMessageTimeoutA(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.address), SMTO_ABORTIFHUNG,
                                 2000, &ok) ||
            !ok) {
            continue;
        }
        wchar_t text[kTextChars] = L"";
        if (!ReadProcessMemory(remote.process, remote.address, &info, sizeof info, nullptr) ||
            info.lpszText != remote_text ||
            !ReadProcessMemory(remote.process, remote_text, text, sizeof text - sizeof(wchar_t), nullptr)) {
            continue;
        }
        char buf[160];
        snprintf(buf, sizeof buf, "{\"tooltip\": %llu, \"tool\": %llu, \"id\": %llu, \"tip\": ", HandleValue(tooltip),
                 HandleValue(info.hwnd), static_cast<unsigned long long>(info.uId));
        Print(buf + Quote(Narrow(text)) + "}");
    }
}

// The tray's own window lies over the top-left corner of the screen, where
// the clock starts; screenshots hide it. Its icons and tooltips stay.
int CmdHideTray() {
    for (HWND w : TopLevelWindows()) {
        if (!IsWindowVisible(w) || !ContainsTray(ClassOf(w)))
            continue;
        ShowWindowAsync(w, SW_HIDE);
        // The owner thread hides it when it gets round to it; the X window
        // follows later still, which the caller waits for on the X side.
        PollFor(3000, [w]() -> HWND { return IsWindowVisible(w) ? nullptr : w; });
        char buf[64];
        snprintf(buf, sizeof buf, "{\"hidden\": %llu}", HandleValue(w));
        Print(buf);
    }
    return 0;
}

int CmdTray() {
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) != TOOLTIPS_CLASSA)
            continue;
        if (ContainsTray(ClassOf(GetWindow(w, GW_OWNER))) || ContainsTray(ClassOf(GetParent(w))))
            PrintTrayTips(w);
    }
    return 0;
}

bool KeyExists(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A kill at a chosen moment of the clock's work on a registry key (a save in
// progress). The key is polled every millisecond: a tighter loop would keep
// the registry (Wine's server) busy and slow down the work it watches.
int CmdWatchKey(int argc, char** argv) {
    DWORD timeout = 0;
    unsigned long long killAfter = 0;
    bool kill = false;
    if (argc != 4 && argc != 6)
        return Usage();
    if (!ParseTimeout(argv[3], &timeout))
        return Usage();
    if (argc == 6) {
        if (strcmp(argv[4], "--kill-after-us") != 0 || !ParseNumber(argv[5], &killAfter))
            return Usage();
        kill = true;
    }
    const char* path = argv[2];
    const ULONGLONG deadline = GetTickCount64() + timeout;
    HWND clock = PollFor(timeout, []() -> HWND { return FindWindowA(nullptr, "Tavix"); });
    if (!clock) {
        fprintf(stderr, "probe: no window titled Tavix\n");
        return 1;
    }
    const DWORD pid = ProcessOf(clock);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) {
        fprintf(stderr, "probe: cannot open process %lu\n", static_cast<unsigned long>(pid));
        return 1;
    }
    while (!KeyExists(path)) {
        Sleep(1);
        if (GetTickCount64() >= deadline) {
            CloseHandle(process);
            fprintf(stderr, "probe: %s did not appear\n", path);
            return 1;
        }
    }
    LARGE_INTEGER appeared, now;
    QueryPerformanceCounter(&appeared);
    char buf[160];
    if (kill) {
        do {
            QueryPerformanceCounter(&now);
        } while (Microseconds(appeared, now) < static_cast<double>(killAfter));
        const bool killed = TerminateProcess(process, 9) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
        CloseHandle(process);
        snprintf(buf, sizeof buf, "{\"pid\": %lu, \"killed\": %s, \"after_us\": %.0f}", static_cast<unsigned long>(pid),
                 killed ? "true" : "false", Microseconds(appeared, now));
        Print(buf);
        return killed ? 0 : 1;
    }
    CloseHandle(process);
    while (KeyExists(path)) {
        Sleep(1);
        if (GetTickCount64() >= deadline)
            return 1;
    }
    QueryPerformanceCounter(&now);
    snprintf(buf, sizeof buf, "{\"pid\": %lu, \"present_us\": %.0f}", static_cast<unsigned long>(pid),
             Microseconds(appeared, now));
    Print(buf);
    return 0;
}

int CmdTrayDelete(int argc, char** argv) {
    HWND w = nullptr;
    unsigned long long id = 0;
    if (argc != 4 || !ParseHandle(argv[2], &w) || !ParseNumber(argv[3], &id))
        return Usage();
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof(data);
    data.hWnd = w;
    data.uID = static_cast<UINT>(id);
    return Shell_NotifyIconA(NIM_DELETE, &data) ? 0 : 1;
}

// The floor of a frame's cost: a bare layered window of width x height given
// its whole picture `count` times, as the clock presents a frame. Prints the
// rate in the form the clock's benchmark uses. With an interval in
// milliseconds the pictures are given one per interval from a timer, as a
// running clock gives them: the floor of an idle clock's cost. "round" at the
// end gives a disc inside transparent corners, the shape of a round face: Wine
// shapes the window after its alpha on every update, an opaque square costs
// less there than a face does.
int CmdLayeredFloor(int argc, char** argv) {
    const bool round = argc >= 6 && std::string(argv[argc - 1]) == "round";
    if (round)
        --argc;
    unsigned long long width = 0, height = 0, count = 0, interval = 0;
    if ((argc != 5 && argc != 6) || !ParseNumber(argv[2], &width) || !ParseNumber(argv[3], &height) ||
        !ParseNumber(argv[4], &count) || (argc == 6 && (!ParseNumber(argv[5], &interval) || interval == 0)) ||
        width == 0 || height == 0 || width > 8192 || height > 8192 || count == 0 || interval > 3600000)
        return Usage();
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    HWND window = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, "STATIC", "floor", WS_POPUP, 0, 0, w, h, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!memory || !section || !bits) {
        DestroyWindow(window);
        return 1;
    }
    HGDIOBJ old = SelectObject(memory, section);
    uint32_t* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Distances from the middle in halves of a pixel, against the
            // smaller side: the disc touches the window's edges.
            const int64_t dx = 2 * int64_t(x) + 1 - w, dy = 2 * int64_t(y) + 1 - h, side = std::min(w, h);
            const bool inside = !round || dx * dx + dy * dy <= side * side;
            pixels[size_t(y) * size_t(w) + size_t(x)] = inside ? 0xFF808080 : 0;
        }
    }
    POINT origin = {0, 0}, source = {0, 0};
    SIZE size = {w, h};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const UINT_PTR timer = interval ? SetTimer(nullptr, 0, static_cast<UINT>(interval), nullptr) : 0;
    for (unsigned long long n = 0; n < count; ++n) {
        if (timer) {
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
                DispatchMessageA(&message);
        }
        pixels[size_t(h / 2) * size_t(w) + size_t(w / 2)] ^= 0x00010101;  // a new picture every time
        UpdateLayeredWindow(window, screen, &origin, &size, memory, &source, 0, &blend, ULW_ALPHA);
    }
    if (timer)
        KillTimer(nullptr, timer);
    QueryPerformanceCounter(&end);
    const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    printf("%f fps - %llu times in %f s\n", seconds > 0 ? double(count) / seconds : 0.0, count, seconds);
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    DestroyWindow(window);
    return 0;
}

int CmdRecord(int argc, char** argv) {
    if (argc != 4)
        return Usage();
    FILE* f = fopen(argv[2], "wb");
    if (!f)
        return 1;
    fputs(argv[3], f);
    return fclose(f) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string cmd = argv[1];
    if (cmd == "windows")
        return CmdWindows(argc, argv);
    if (cmd == "msgboxes")
        return CmdMessageBoxes(argc, argv);
    if (cmd == "click")
        return CmdClick(argc, argv);
    if (cmd == "key")
        return CmdKey(argc, argv);
    if (cmd == "close")
        return CmdClose(argc, argv);
    if (cmd == "post")
        return CmdPostOrSend(argc, argv, false);
    if (cmd == "send")
        return CmdPostOrSend(argc, argv, true);
    if (cmd == "settext")
        return CmdSetText(argc, argv);
    if (cmd == "senditem")
        return CmdSendItem(argc, argv);
    if (cmd == "wait-window")
        return CmdWaitWindow(argc, argv);
    if (cmd == "wait-msgbox")
        return CmdWaitMessageBox(argc, argv);
    if (cmd == "wait-gone")
        return CmdWaitGone(argc, argv);
    if (cmd == "metrics")
        return CmdMetrics();
    if (cmd == "tray")
        return CmdTray();
    if (cmd == "hide-tray")
        return CmdHideTray();
    if (cmd == "tray-delete")
        return CmdTrayDelete(argc, argv);
    if (cmd == "record")
        return CmdRecord(argc, argv);
    if (cmd == "layered-floor")
        return CmdLayeredFloor(argc, argv);
    if (cmd == "watch-key")
        return CmdWatchKey(argc, argv);
    return Usage();
}
