#include "app/orbiton-batch/outputfile.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "model/errors.h"

namespace orbiton::batch {

namespace {

constexpr std::array<int, 5> cleanedUpSignals{SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGQUIT};

// Prepared before the handler can run; the handler only reads them.
std::string pendingPath;
const char* volatile pendingName = nullptr;
std::array<struct sigaction, cleanedUpSignals.size()> previousActions{};
std::array<bool, cleanedUpSignals.size()> installed{};

extern "C" void removePendingFile(int signal)
{
    // Async-signal-safe only: unlink, then the signal's default action.
    if (const char* name = pendingName)
        ::unlink(name);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

sigset_t handledSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int s : cleanedUpSignals)
        sigaddset(&set, s);
    return set;
}

// Blocks the handled signals for its lifetime, so that the temporary file
// never exists without the handler knowing its name.
class SignalsBlocked {
public:
    SignalsBlocked()
    {
        const sigset_t set = handledSet();
        sigprocmask(SIG_BLOCK, &set, &previous_);
    }
    ~SignalsBlocked() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsBlocked(const SignalsBlocked&) = delete;
    SignalsBlocked& operator=(const SignalsBlocked&) = delete;

private:
    sigset_t previous_;
};

void arm(const std::string& temporary)
{
    pendingPath = temporary;
    pendingName = pendingPath.c_str();
    struct sigaction action {};
    action.sa_handler = removePendingFile;
    action.sa_mask = handledSet();
    for (std::size_t k = 0; k < cleanedUpSignals.size(); ++k) {
        struct sigaction previous {};
        sigaction(cleanedUpSignals[k], nullptr, &previous);
        // A signal the tool was started to ignore stays ignored.
        installed[k] = previous.sa_handler != SIG_IGN;
        if (installed[k])
            sigaction(cleanedUpSignals[k], &action, &previousActions[k]);
    }
}

void disarm()
{
    const SignalsBlocked blocked;
    pendingName = nullptr;
    for (std::size_t k = 0; k < cleanedUpSignals.size(); ++k)
        if (installed[k])
            sigaction(cleanedUpSignals[k], &previousActions[k], nullptr);
    installed.fill(false);
}

}  // namespace

void refuseOutputOverInput(const std::string& input, const std::string& output)
{
    struct stat in {
    }, out{};
    if (::stat(input.c_str(), &in) != 0 || ::stat(output.c_str(), &out) != 0)
        return;
    if (in.st_dev == out.st_dev && in.st_ino == out.st_ino)
        throw FileError(formatMessage("Die Ausgabedatei %s ist die Eingabedatei und wird nicht überschrieben", output));
}

OutputFile::OutputFile(const std::string& path)
{
    const SignalsBlocked blocked;
    file_.emplace(path);
    arm(file_->temporaryPath());
}

OutputFile::~OutputFile()
{
    // The pending file removes its temporary file (unless committed); a
    // signal in between finds the name gone, which does no harm.
    file_.reset();
    disarm();
}

void OutputFile::write(std::string_view bytes) { file_->write(bytes); }

void OutputFile::commit() { file_->commit(); }

}  // namespace orbiton::batch
