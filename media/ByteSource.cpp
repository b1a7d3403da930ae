// Exact-length reads over files and memory for the media analysers.
#include "media/ByteSource.h"

#include <cstring>
#include <limits>

#include "model/base/NativePath.h"

namespace cl {

namespace {

// 64-bit seeks: the MinGW runtime and the POSIX one name them differently.
bool SeekDevice(std::FILE* f, std::uint64_t pos) {
    if (pos > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
#if defined(_WIN32)
    return _fseeki64(f, static_cast<long long>(pos), SEEK_SET) == 0;
#else
    return fseeko(f, static_cast<off_t>(pos), SEEK_SET) == 0;
#endif
}

std::optional<std::uint64_t> DeviceSize(std::FILE* f) {
#if defined(_WIN32)
    if (_fseeki64(f, 0, SEEK_END) != 0) return std::nullopt;
    const long long end = _ftelli64(f);
#else
    if (fseeko(f, 0, SEEK_END) != 0) return std::nullopt;
    const off_t end = ftello(f);
#endif
    if (end < 0 || !SeekDevice(f, 0)) return std::nullopt;
    return static_cast<std::uint64_t>(end);
}

}  // namespace

bool ByteSource::ReadExact(void* dst, std::size_t n) {
    if (n > size_ - pos_) {
        bytesRead_ += size_ - pos_;
        pos_ = size_;
        return false;
    }
    if (n == 0) return true;
    const bool ok = ReadAt(pos_, dst, n);
    bytesRead_ += n;
    pos_ = ok ? pos_ + n : size_;
    return ok;
}

bool ByteSource::Seek(std::uint64_t pos) {
    if (pos > size_) return false;
    pos_ = pos;
    return true;
}

bool ByteSource::Skip(std::int64_t delta) {
    if (delta < 0) {
        const std::uint64_t back = static_cast<std::uint64_t>(-(delta + 1)) + 1;
        if (back > pos_) return false;
        return Seek(pos_ - back);
    }
    const std::uint64_t ahead = static_cast<std::uint64_t>(delta);
    if (ahead > size_ - pos_) return false;
    return Seek(pos_ + ahead);
}

bool MemorySource::ReadAt(std::uint64_t pos, void* dst, std::size_t n) {
    std::memcpy(dst, bytes_.data() + pos, n);
    return true;
}

std::unique_ptr<ByteFile> ByteFile::Open(const std::filesystem::path& path) {
    std::unique_ptr<std::FILE, Closer> f(OpenStdFile(path, "rb"));
    if (!f) return nullptr;
    const std::optional<std::uint64_t> size = DeviceSize(f.get());
    if (!size) return nullptr;
    auto file = std::make_unique<ByteFile>(Key{}, std::move(f), *size);
    file->devicePos_ = 0;
    return file;
}

bool ByteFile::ReadAt(std::uint64_t pos, void* dst, std::size_t n) {
    if (devicePos_ != pos) {
        if (!SeekDevice(file_.get(), pos)) {
            devicePos_.reset();
            return false;
        }
    }
    const std::size_t got = std::fread(dst, 1, n, file_.get());
    if (got != n) {
        devicePos_.reset();
        return false;
    }
    devicePos_ = pos + n;
    return true;
}

}  // namespace cl
