#pragma once
// The multimedia command strings that play an alarm's sound. `path` is the
// short form of the sound file's path, or the long one where the volume has
// no short names.

#include <cstdint>
#include <string>
#include <vector>

// Where the commands go: the library's command entry, or a test's recorder.
class MciCommandSink {
public:
    virtual ~MciCommandSink() = default;
    virtual void Send(const std::string& command) = 0;
};

// The path as a command's file operand: quoted when it holds a space, since
// the command parser splits at spaces.
std::string MciFileOperand(const std::string& path);

// Direct playback, which blocks until the sound has ended: open, play, close.
std::vector<std::string> DirectPlaybackCommands(const std::string& path, uint32_t sndSecs);

// The notice window's alias: the path itself, as two windows for one file
// share it, unless that cannot be an alias (a space or a quote); then a name
// derived from the path, the same for the same path.
std::string NoticeAlias(const std::string& path);
std::string NoticeOpenCommand(const std::string& path);
// Without "wait": the sound plays while the window is open.
std::string NoticePlayCommand(const std::string& path, uint32_t sndSecs, bool looping);
std::string NoticeCloseCommand(const std::string& path);
