#pragma once
// Dialog templates built in memory, so that tests of the dialog layer need no
// entries in the resource script.

#include <windows.h>

#include <string>
#include <vector>

class MemoryTemplate {
public:
    // Dialog units; `style` as in a resource script (WS_POPUP | WS_CAPTION ... or WS_CHILD for a page).
    MemoryTemplate(DWORD style, short x, short y, short cx, short cy, const char* caption);

    // Predefined control classes by their atoms.
    static constexpr WORD kButton = 0x0080;
    static constexpr WORD kEdit = 0x0081;
    static constexpr WORD kStatic = 0x0082;

    MemoryTemplate&
    Add(WORD controlClass, WORD id, DWORD style, short x, short y, short cx, short cy, const char* text);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void Text(const char* text);
    void AlignToDword();
    void Dword(DWORD value);

    std::vector<WORD> words_;
    size_t countIndex_ = 0;
};

inline MemoryTemplate::MemoryTemplate(DWORD style, short x, short y, short cx, short cy, const char* caption) {
    Dword(style);
    Dword(0);  // extended style
    countIndex_ = words_.size();
    words_.push_back(0);
    for (short v : {x, y, cx, cy})
        words_.push_back(static_cast<WORD>(v));
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    Text(caption);
}

inline MemoryTemplate&
MemoryTemplate::Add(WORD controlClass, WORD id, DWORD style, short x, short y, short cx, short cy, const char* text) {
    AlignToDword();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy})
        words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(controlClass);
    Text(text);
    words_.push_back(0);  // no creation data
    ++words_[countIndex_];
    return *this;
}

inline void MemoryTemplate::Text(const char* text) {
    for (; *text; ++text)
        words_.push_back(static_cast<unsigned char>(*text));
    words_.push_back(0);
}

inline void MemoryTemplate::AlignToDword() {
    if (words_.size() % 2)
        words_.push_back(0);
}

inline void MemoryTemplate::Dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
}

// Runs one step each time a thread timer fires, from whichever modal loop is
// dispatching then, so a test can drive nested dialogs from inside. Once the
// steps are done and a loop is still running, a quit request ends every loop
// instead of hanging the test (DoModal then returns -1).
class TimerScript {
public:
    using Step = void (*)(void* context);
    explicit TimerScript(void* context) : context_(context) { current_ = this; }
    ~TimerScript() {
        if (timer_)
            ::KillTimer(nullptr, timer_);
        current_ = nullptr;
        // A quit request left by the watchdog must not end a later test's loop.
        MSG message;
        while (::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    TimerScript(const TimerScript&) = delete;
    TimerScript& operator=(const TimerScript&) = delete;

    TimerScript& Then(Step step) {
        steps_.push_back(step);
        return *this;
    }
    void Start() { timer_ = ::SetTimer(nullptr, 0, 40, &TimerScript::Tick); }
    bool Finished() const { return next_ >= steps_.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TimerScript* self = current_;
        if (!self)
            return;
        if (self->next_ < self->steps_.size()) {
            // Advanced first: a step may open a dialog whose loop runs the next steps.
            const Step step = self->steps_[self->next_++];
            step(self->context_);
        } else if (++self->idleTicks_ == 100) {
            ::PostQuitMessage(99);
        }
    }

    static inline TimerScript* current_ = nullptr;
    void* context_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    int idleTicks_ = 0;
    UINT_PTR timer_ = 0;
};
