#include "alarms/alarm_sound_win.h"

#include <mmsystem.h>

#include "alarms/mci_commands.h"
#include "win/readable_file_win.h"

namespace {

void PlayOnceAsync(const std::string& file) {
    ::PlaySoundA(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace

void PlaySoundDirect(const AlarmRecord& alarm) {
    // A device name or a folder plays nothing, like a missing file; opening a
    // serial port would block the clock for good.
    if (IsDeviceOrFolder(alarm.Sound))
        return;
    WinmmUse library;
    if (!library.Held())
        return;
    const std::string path = ShortPathOf(alarm.Sound);
    if (!library.HasCommandEntry())
        return;
    for (const std::string& command : DirectPlaybackCommands(path, alarm.SndSecs))
        library.Send(command);
}

NoticeSound::NoticeSound(const AlarmRecord& alarm) {
    if (alarm.Sound.empty() || IsDeviceOrFolder(alarm.Sound))
        return;
    auto library = std::make_unique<WinmmUse>();
    if (!library->Held()) {
        PlayOnceAsync(alarm.Sound);
        return;
    }
    library_ = std::move(library);
    path_ = ShortPathOf(alarm.Sound);
    commandEntryFound_ = library_->HasCommandEntry();
    if (!commandEntryFound_) {
        PlayOnceAsync(alarm.Sound);
        return;
    }
    library_->Send(NoticeOpenCommand(path_));
    library_->Send(NoticePlayCommand(path_, alarm.SndSecs, alarm.SndLooping != 0));
}

NoticeSound::~NoticeSound() {
    if (library_ && commandEntryFound_)
        library_->Send(NoticeCloseCommand(path_));
}
