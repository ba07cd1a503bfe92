#pragma once
// The command line of the window program: `orbiton [DATEI.ads]`, `--help`
// and `--version`. Read before the window system is started, so the help
// and the version need no display.
#include <string>
#include <vector>

namespace orbiton::app {

struct CommandLine {
    enum class Action {
        Start,    // open the window, with `dataSet` when it is not empty
        Help,     // helpText() on stdout, exit 0
        Version,  // versionText() on stdout, exit 0
        Refused   // `error`, then usageText() on stderr, exit 1
    };
    Action action = Action::Start;
    std::string dataSet;  // as given, in the file system's encoding
    std::string error;
};

// The arguments after the program name. "--" ends the options: what
// follows is a file name even when it starts with "-".
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Texts end with a line end.
std::string usageText();
std::string helpText();
std::string versionText();

}  // namespace orbiton::app
