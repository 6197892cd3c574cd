#include "options/reg_parameters.h"

#include <gtest/gtest.h>

#include <string>

TEST(RegParameters, AddStoresThePathInDoubleQuotes) {
    EXPECT_EQ(RegAddParameters(kRunKeyPath, kAutostartValueName, "C:\\Program Files\\Tavix\\Tavix.exe"),
              "ADD HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run /v Tavix /t REG_SZ /f /d "
              "\"\\\"C:\\Program Files\\Tavix\\Tavix.exe\\\"\"");
    EXPECT_EQ(RegDeleteParameters(kRunKeyPath, kAutostartValueName),
              "DELETE HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run /v Tavix /f");
}

TEST(RegParameters, ALineThatDoesNotFitIsRefusedNotCut) {
    const std::string prefix = *RegAddParameters(kRunKeyPath, kAutostartValueName, "");
    // The longest path whose line still leaves room for the terminating zero.
    const size_t longest = kRegParametersCapacity - 1 - prefix.size();
    const std::string fits = "C:\\" + std::string(longest - 3, 'x');
    const auto line = RegAddParameters(kRunKeyPath, kAutostartValueName, fits);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(line->size(), kRegParametersCapacity - 1);
    EXPECT_NE(line->find(fits + "\\\"\""), std::string::npos);

    EXPECT_FALSE(RegAddParameters(kRunKeyPath, kAutostartValueName, fits + "x").has_value());
    EXPECT_FALSE(RegAddParameters(kRunKeyPath, kAutostartValueName, std::string(1000, 'x')).has_value());
    EXPECT_FALSE(RegDeleteParameters(std::string(300, 'k'), kAutostartValueName).has_value());
}

TEST(RegParameters, APathWithADoubleQuoteIsRefused) {
    EXPECT_FALSE(RegAddParameters(kRunKeyPath, kAutostartValueName, "C:\\a\" /d evil").has_value());
}

TEST(RegParameters, RunValueIsThePathInQuotes) {
    const std::string program = "C:\\Program Files\\Tavix\\Tavix.exe";
    EXPECT_EQ(RunValueFor(program), "\"" + program + "\"");
}

TEST(RegParameters, OnlyARefusalForRightsWithAConsentPromptGoesToReg_exe) {
    struct Case {
        long status;
        bool vista;
        AllUsersRoute route;
    } cases[] = {
        {0, true, AllUsersRoute::WriteDirectly},  {0, false, AllUsersRoute::WriteDirectly},
        {5, true, AllUsersRoute::ElevateRegExe},   // access denied
        {5, false, AllUsersRoute::ReportError},    // no consent prompt to ask
        {2, true, AllUsersRoute::ReportError},     // file not found
        {1314, true, AllUsersRoute::ReportError},  // privilege not held
    };
    for (const Case& c : cases)
        EXPECT_EQ(RouteForMachineKey(c.status, c.vista), c.route) << c.status << " " << c.vista;
}
