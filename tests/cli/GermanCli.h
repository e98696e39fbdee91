#pragma once
// What a shell command sets before the built command line so that it speaks
// German whatever the machine's locale or a choice remembered with --lang:
// the tests that run it compare its German words. The choice is looked for
// under the command's HOME, which each test points at a folder of its own.

namespace skarnwald::test {

inline constexpr const char* kGermanCli = "LANGUAGE= LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8 XDG_CONFIG_HOME= ";

} // namespace skarnwald::test
