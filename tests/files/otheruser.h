#pragma once
// Runs a piece of a test as the unprivileged user "nobody" in a child
// process, for the rules that only an ordinary user meets. Possible only
// when the tests run as the superuser (as CI does); then files can be
// handed to nobody with chown beforehand.
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>

namespace testing_support {

struct Nobody {
    uid_t uid;
    gid_t gid;
};

// nobody's IDs when this process may switch to them, nothing otherwise.
inline std::optional<Nobody> nobodyIfRoot()
{
    const passwd* user = ::getpwnam("nobody");
    if (::geteuid() != 0 || !user)
        return std::nullopt;
    return Nobody{user->pw_uid, user->pw_gid};
}

// Runs fn as nobody and returns the text it returned (at most 4 KiB).
inline std::string runAs(const Nobody& who, const std::function<std::string()>& fn)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string result = "could not become nobody";
        if (::setgroups(0, nullptr) == 0 && ::setgid(who.gid) == 0 && ::setuid(who.uid) == 0)
            result = fn();
        const ssize_t ignored = ::write(channel[1], result.data(), result.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return result;
}

}  // namespace testing_support
