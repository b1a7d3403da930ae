// Writing store files so that a failed or interrupted save never leaves a half-written file:
// the bytes go to a temporary file beside the target, which is then moved over it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace cl {

// The seam through which every store file is written; tests plug in a writer that fails.
class FileWriter {
  public:
    virtual ~FileWriter() = default;
    // Makes `target` hold exactly `bytes`. On failure the old file is untouched and `error` says why.
    virtual bool Write(const std::filesystem::path& target, std::string_view bytes, std::string& error) = 0;
};

// Temporary file in the same directory, flushed, then renamed over the target.
class AtomicFileWriter final : public FileWriter {
  public:
    bool Write(const std::filesystem::path& target, std::string_view bytes, std::string& error) override;
};

// The writer the program uses.
FileWriter& DefaultFileWriter();

// Moves `from` over `to`, replacing it in one step. Platform file (FileReplace_win / _posix).
bool MoveFileOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error);

// Copies `from` over `to` through a temporary beside `to`, so that `to` holds either its old bytes or all of the new
// ones. A missing or unreadable `from` leaves `to` as it was. (The runtime's own copy with "overwrite existing" is
// not used: on Windows it sees every file as the same one and refuses to replace an existing `to`.)
bool CopyFileOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error);

// A write that was cut short (the process killed between creating its temporary file and moving it over
// the target) leaves the temporary beside the target: "<target>.<n>.tmp". No reader opens such a file;
// this removes the ones left for the targets named (and for copies of them named "<target>.<suffix>").
void RemoveLeftTemporaries(const std::filesystem::path& dir, const std::vector<std::string>& targets);

// Reads a whole file into `out`; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& out);

}  // namespace cl
