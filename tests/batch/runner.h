#pragma once
// Runs orbiton-batch with arguments and collects its exit status, standard
// output and standard error.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "files/testfolder.h"

namespace batch_test {

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string quoted(const std::string& s)
{
    std::string q = "'";
    for (char c : s) {
        if (c == '\'')
            q += "'\\''";
        else
            q.push_back(c);
    }
    return q + "'";
}

// Standard output goes to stdoutPath when one is given (e.g. /dev/full);
// a run that does not end within 60 s is stopped and reported as status -1,
// as is a run that a signal ended. setUp runs in the tool's shell first
// (e.g. "ulimit -v 40000"); stdoutRedirection, when given, replaces the
// redirection of standard output (e.g. ">&-").
inline Result runBatch(const std::vector<std::string>& args, const std::string& stdoutPath = {},
                       const std::string& setUp = {}, const std::string& stdoutRedirection = {})
{
    testing_support::TestFolder capture;
    const std::string out = stdoutPath.empty() ? capture.file("stdout") : stdoutPath;
    const std::string err = capture.file("stderr");
    std::string command =
        "(" + (setUp.empty() ? std::string(":") : setUp) + "; exec timeout -s KILL 60 " + quoted(ORBITON_BATCH);
    for (const auto& a : args)
        command.append(" ").append(quoted(a));
    command.append(stdoutRedirection.empty() ? " > " + quoted(out) : " " + stdoutRedirection)
        .append(" 2> ")
        .append(quoted(err))
        .append(")");
    const int raw = std::system(command.c_str());
    Result r;
    r.status = WIFEXITED(raw) && WEXITSTATUS(raw) < 124 ? WEXITSTATUS(raw) : -1;
    if (stdoutPath.empty() && stdoutRedirection.empty())
        r.out = testing_support::readBytes(out);
    r.err = testing_support::readBytes(err);
    return r;
}

}  // namespace batch_test
