#pragma once
// What the game says about itself on the command line: the usage line, the
// help with every option and the files the game keeps, and the version. The
// manual page (packaging/vantreth.6) says the same; a test holds them together.

#include <string>

// "usage: vantreth [...]", one line, printed with the help and on a wrong option.
std::string usageText();
// The usage, every option, the files and the exit statuses.
std::string helpText();
// The game's version and the rules revision its recordings are played under.
std::string versionText();
