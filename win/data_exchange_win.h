#pragma once
// Moves values between a dialog's controls and the members of its object, in
// the one direction a call asks for: DoDataExchange names the pairs once and
// serves both directions.

#include <windows.h>

#include <string>

class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    // True: from the controls to the members.
    bool Saving() const { return saving_; }
    bool Failed() const { return failed_; }
    // Marks the exchange as failed (a value out of range); the caller stops.
    void Fail() { failed_ = true; }

    // The window of a control, bound once; a missing control fails the exchange.
    void Control(int id, HWND& control);
    // A check box: 0 clear, 1 checked, 2 indeterminate.
    void Check(int id, int& value);
    void Text(int id, std::string& value);

private:
    HWND Item(int id);

    HWND dialog_;
    bool saving_;
    bool failed_ = false;
};
