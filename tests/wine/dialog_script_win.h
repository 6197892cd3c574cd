#pragma once
// Drives modal dialogs from inside their own message loops: each step runs
// from a thread timer that the innermost loop dispatches, and may wait (return
// false) until what it needs has appeared. Clicks are posted, so a step never
// runs a nested modal loop itself.

#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class DialogScript {
public:
    using Step = std::function<bool()>;

    DialogScript& Then(Step step);
    DialogScript& Do(std::function<void()> action);
    // Starts the timer; the steps run once the caller enters a modal loop.
    void Start();
    // Stops the timer; true when every step ran. A script that stalls for 15
    // seconds cancels every dialog of the thread so the test ends.
    bool Finish();

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Advance();

    std::vector<Step> steps_;
    size_t next_ = 0;
    UINT_PTR timer_ = 0;
    DWORD started_ = 0;
    bool running_ = false;
    bool timedOut_ = false;
};

// Message boxes shown through win/message_box_win, collected instead of shown.
std::vector<std::string>& ShownMessages();
void CollectMessages();

HWND FindDialog(const std::string& caption);
std::string ItemText(HWND dialog, int id);
void Click(HWND dialog, int id);
// Sets the box and tells the dialog, as a click on it does.
void SetCheck(HWND dialog, int id, bool checked);
void SelectKind(HWND dialog, int item);
void SetPicker(HWND dialog, int id, const SYSTEMTIME& time);
int ListRows(HWND dialog, int listId);
std::string ListCell(HWND dialog, int listId, int row, int column);
bool RowChecked(HWND dialog, int listId, int row);
void SelectRow(HWND dialog, int listId, int row);
void SetRowChecked(HWND dialog, int listId, int row, bool checked);
