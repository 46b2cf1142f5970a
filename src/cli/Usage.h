#pragma once
// The command line's usage: `quillview --help` prints all of it, a usage
// error of a command the part about that command. The man page
// (resources/man/quillview.1) and the bash completion say the same, and
// tests/cli/UsageTest.cpp keeps the three together.
#include <string>

namespace usage {

std::string convertUsage();
std::string exportUsage();
std::string fullUsage();

}  // namespace usage
