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

inline Result runBatch(const std::vector<std::string>& args)
{
    testing_support::TestFolder capture;
    const std::string out = capture.file("stdout");
    const std::string err = capture.file("stderr");
    std::string command = quoted(ORBITON_BATCH);
    for (const auto& a : args)
        command.append(" ").append(quoted(a));
    command.append(" > ").append(quoted(out)).append(" 2> ").append(quoted(err));
    const int raw = std::system(command.c_str());
    Result r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = testing_support::readBytes(out);
    r.err = testing_support::readBytes(err);
    return r;
}

}  // namespace batch_test
