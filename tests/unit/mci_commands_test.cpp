#include "alarms/mci_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kShort = "C:\\PROGRA~1\\Tavix\\Sounds\\ring.wav";
const std::string kSpaced = "D:\\My Sounds\\door bell.wav";

TEST(MciCommands, DirectPlaybackWaitsAndPlaysTheGivenSeconds) {
    EXPECT_EQ(DirectPlaybackCommands(kShort, 0),
              (std::vector<std::string>{"open " + kShort + " type mpegvideo alias mysnd", "play mysnd from 0 wait",
                                        "close mysnd wait"}));
    EXPECT_EQ(DirectPlaybackCommands(kShort, 5)[1], "play mysnd from 0 to 5000 wait");
}

TEST(MciCommands, NoticeUsesThePathAsAliasAndPlaysWithoutWaiting) {
    struct Case {
        uint32_t secs;
        bool looping;
        const char* tail;
    } cases[] = {{0, false, ""}, {0, true, " repeat"}, {5, false, " to 5000"}, {5, true, " to 5000 repeat"}};
    for (const auto& c : cases)
        EXPECT_EQ(NoticePlayCommand(kShort, c.secs, c.looping), "play " + kShort + " from 0" + c.tail);
    EXPECT_EQ(NoticeOpenCommand(kShort), "open " + kShort + " type mpegvideo alias " + kShort);
    EXPECT_EQ(NoticeCloseCommand(kShort), "close " + kShort + " wait");
}

TEST(MciCommands, APathWithSpacesIsQuotedAndGetsADerivedAlias) {
    EXPECT_EQ(DirectPlaybackCommands(kSpaced, 0)[0], "open \"" + kSpaced + "\" type mpegvideo alias mysnd");
    const std::string alias = NoticeAlias(kSpaced);
    EXPECT_EQ(alias.find_first_of(" \""), std::string::npos) << alias;
    EXPECT_EQ(alias, NoticeAlias(kSpaced)) << "two windows for one file share the alias";
    EXPECT_NE(alias, NoticeAlias("D:\\My Sounds\\door bell2.wav"));
    EXPECT_EQ(NoticeOpenCommand(kSpaced), "open \"" + kSpaced + "\" type mpegvideo alias " + alias);
    EXPECT_EQ(NoticePlayCommand(kSpaced, 3, true), "play " + alias + " from 0 to 3000 repeat");
    EXPECT_EQ(NoticeCloseCommand(kSpaced), "close " + alias + " wait");
}

TEST(MciCommands, LargeSecondsDoNotOverflow) {
    EXPECT_EQ(NoticePlayCommand(kShort, 4000000000u, false), "play " + kShort + " from 0 to 4000000000000");
}

}  // namespace
