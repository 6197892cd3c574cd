#include "alarms/mci_commands.h"

#include <cstdio>

namespace {

bool NeedsQuotes(const std::string& path) {
    return path.find(' ') != std::string::npos;
}

// Milliseconds in 64 bits: a large stored SndSecs must not overflow.
std::string Milliseconds(uint32_t seconds) {
    return std::to_string(static_cast<unsigned long long>(seconds) * 1000ULL);
}

}  // namespace

std::string MciFileOperand(const std::string& path) {
    return NeedsQuotes(path) ? "\"" + path + "\"" : path;
}

std::vector<std::string> DirectPlaybackCommands(const std::string& path, uint32_t sndSecs) {
    std::vector<std::string> commands;
    commands.push_back("open " + MciFileOperand(path) + " type mpegvideo alias mysnd");
    if (sndSecs != 0)
        commands.push_back("play mysnd from 0 to " + Milliseconds(sndSecs) + " wait");
    else
        commands.push_back("play mysnd from 0 wait");
    commands.push_back("close mysnd wait");
    return commands;
}

std::string NoticeAlias(const std::string& path) {
    if (path.find_first_of(" \"") == std::string::npos)
        return path;
    // FNV-1a: a stable name from the path that holds neither spaces nor quotes.
    uint64_t hash = 14695981039346656037ULL;
    for (unsigned char c : path) {
        hash ^= c;
        hash *= 1099511628211ULL;
    }
    char alias[32];
    std::snprintf(alias, sizeof alias, "tavixsnd%016llx", static_cast<unsigned long long>(hash));
    return alias;
}

std::string NoticeOpenCommand(const std::string& path) {
    return "open " + MciFileOperand(path) + " type mpegvideo alias " + NoticeAlias(path);
}

std::string NoticePlayCommand(const std::string& path, uint32_t sndSecs, bool looping) {
    std::string command = "play " + NoticeAlias(path) + " from 0";
    if (sndSecs != 0)
        command += " to " + Milliseconds(sndSecs);
    if (looping)
        command += " repeat";
    return command;
}

std::string NoticeCloseCommand(const std::string& path) {
    return "close " + NoticeAlias(path) + " wait";
}
