// Writing store files through a temporary file beside them.
#include "model/base/FileWriter.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/base/NativePath.h"

namespace cl {

namespace {

std::filesystem::path TempPathFor(const std::filesystem::path& target) {
    // Unique within the process so that two writes of the same file never share a temporary.
    static std::atomic<unsigned> counter{0};
    std::filesystem::path tmp = target;
    tmp += "." + std::to_string(counter++) + ".tmp";
    return tmp;
}

}  // namespace

bool AtomicFileWriter::Write(const std::filesystem::path& target, std::string_view bytes, std::string& error) {
    const std::filesystem::path tmp = TempPathFor(target);
    {
        std::FILE* f = OpenStdFile(tmp, "wb");
        if (f == nullptr) {
            error = "cannot create " + NativeFromPath(tmp);
            return false;
        }
        const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
        const bool closed = std::fclose(f) == 0;
        if (!ok || !closed) {
            std::error_code ec;
            std::filesystem::remove(tmp, ec);
            error = "cannot write " + NativeFromPath(tmp);
            return false;
        }
    }
    if (!MoveFileOver(tmp, target, error)) {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

bool CopyFileOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string& error) {
    const std::filesystem::path tmp = TempPathFor(to);
    std::error_code ec;
    if (!std::filesystem::copy_file(from, tmp, ec)) {
        std::filesystem::remove(tmp, ec);
        error = "cannot copy " + NativeFromPath(from) + ": " + ec.message();
        return false;
    }
    if (!MoveFileOver(tmp, to, error)) {
        std::filesystem::remove(tmp, ec);
        return false;
    }
    return true;
}

namespace {

// Whether `name` is "<target>.<digits>.tmp" or "<target>.<anything>.<digits>.tmp" for one of the targets.
bool IsTemporaryOf(std::string_view name, const std::vector<std::string>& targets) {
    constexpr std::string_view kEnding = ".tmp";
    if (!name.ends_with(kEnding)) return false;
    name.remove_suffix(kEnding.size());
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot + 1 == name.size()) return false;
    if (name.substr(dot + 1).find_first_not_of("0123456789") != std::string_view::npos) return false;
    name = name.substr(0, dot);
    for (const std::string& target : targets) {
        if (name == target || (name.starts_with(target) && name.size() > target.size() && name[target.size()] == '.'))
            return true;
    }
    return false;
}

}  // namespace

void RemoveLeftTemporaries(const std::filesystem::path& dir, const std::vector<std::string>& targets) {
    std::error_code ec;
    std::vector<std::filesystem::path> left;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (IsTemporaryOf(NativeFromPath(it->path().filename()), targets)) left.push_back(it->path());
    }
    for (const std::filesystem::path& path : left) std::filesystem::remove(path, ec);
}

FileWriter& DefaultFileWriter() {
    static AtomicFileWriter writer;
    return writer;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.clear();
    // A regular file comes in with one read of its size. Whatever that read does not bring (a file
    // that grew meanwhile, or one whose size cannot be asked) still comes through the stream buffer.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > 0) {
        out.resize(static_cast<std::size_t>(size));
        const std::streamsize got = in.rdbuf()->sgetn(out.data(), static_cast<std::streamsize>(size));
        out.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    out.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace cl
