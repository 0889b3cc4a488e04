// Tests of what a user's permissions stop. Root passes every permission check, so run as root
// such a test runs itself again, as the user nobody, in a process of its own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/TempDir.h"

// True when the test under way was run again as nobody, its outcome standing for the test's:
// the caller then returns. False where the test runs its body here, as a user already.
inline bool RanAsUnprivilegedUser() {
    if (!RunningAsRoot())
        return false;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "setpriv --reuid=65534 --regid=65534 --clear-groups '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                "' --gtest_filter='" + test->test_suite_name() + "." +
                                test->name() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return true;
}
