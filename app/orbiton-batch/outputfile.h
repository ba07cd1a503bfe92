#pragma once
// The output file of orbiton-batch: never the input itself, written whole
// or not at all, and no temporary file left behind when the tool is
// interrupted.
#include <optional>
#include <string>
#include <string_view>

#include "files/textfile.h"

namespace orbiton::batch {

// Refuses (FileError) an output that is the input file under any name: the
// same path, "./" in front, a symbolic or a hard link (same device and
// inode). An output that does not exist yet is never the input.
void refuseOutputOverInput(const std::string& input, const std::string& output);

// The output while the results are being written. The bytes wait in a
// temporary file beside the target until commit(); until then SIGINT,
// SIGTERM, SIGHUP, SIGPIPE and SIGQUIT remove the temporary file before they end
// the tool as they would have anyway. Destroyed without commit(), the
// temporary file is removed and the target stays as it was.
class OutputFile {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view bytes);
    void commit();

private:
    std::optional<PendingFile> file_;
};

}  // namespace orbiton::batch
