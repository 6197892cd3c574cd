#pragma once
// Playing an alarm's sound: directly (blocking until it ends) or for the life
// of a notice window.

#include <memory>
#include <string>

#include "alarms/alarm_record.h"
#include "alarms/winmm_use_win.h"

// Returns when the sound has ended. SndLooping has no effect here.
void PlaySoundDirect(const AlarmRecord& alarm);

// Starts the alarm's sound (once, its first SndSecs seconds, or looping) and
// stops it when destroyed. Without the library or its command entry the file
// is played once by PlaySoundA instead, which nothing stops.
class NoticeSound {
public:
    explicit NoticeSound(const AlarmRecord& alarm);
    ~NoticeSound();
    NoticeSound(const NoticeSound&) = delete;
    NoticeSound& operator=(const NoticeSound&) = delete;

private:
    std::unique_ptr<WinmmUse> library_;
    std::string path_;
    bool commandEntryFound_ = false;
};
