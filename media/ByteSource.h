// Raw-byte input for the media analysers: a file or a block of memory, read with exact-length reads
// so that a short read is an error and nothing is ever taken from past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

namespace cl {

class ByteSource {
  public:
    virtual ~ByteSource() = default;

    std::uint64_t Size() const { return size_; }
    std::uint64_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ >= size_; }
    // Bytes handed out by successful and failed reads together; the analysers' cost on a big file.
    std::uint64_t BytesRead() const { return bytesRead_; }

    // Reads exactly n bytes at the position. False when fewer remain or the device fails; the
    // position is then at the end, as after any read that ran out of data.
    bool ReadExact(void* dst, std::size_t n);

    // Moves to an absolute position. A target past the end fails and leaves the position alone:
    // the analysers treat a chunk that claims to reach beyond the file as damage, not as a hole.
    bool Seek(std::uint64_t pos);
    // Moves relative to the position; before the start or past the end fails as above.
    bool Skip(std::int64_t delta);

  protected:
    explicit ByteSource(std::uint64_t size) : size_(size) {}
    // Fills dst from the device at pos_; n never runs past size_.
    virtual bool ReadAt(std::uint64_t pos, void* dst, std::size_t n) = 0;

  private:
    std::uint64_t size_;
    std::uint64_t pos_ = 0;
    std::uint64_t bytesRead_ = 0;
};

// Bytes already in memory (tests, fuzz targets). The span must outlive the source.
class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : ByteSource(bytes.size()), bytes_(bytes) {}

  protected:
    bool ReadAt(std::uint64_t pos, void* dst, std::size_t n) override;

  private:
    std::span<const std::uint8_t> bytes_;
};

// A file opened for reading as raw bytes. The C library's buffer serves the many small header
// reads; large reads go straight to the device.
class ByteFile final : public ByteSource {
  public:
    // nullptr when the file cannot be opened or its size cannot be learned.
    static std::unique_ptr<ByteFile> Open(const std::filesystem::path& path);

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    struct Key {};  // only Open makes one, so only Open constructs

  public:
    ByteFile(Key, std::unique_ptr<std::FILE, Closer> file, std::uint64_t size)
        : ByteSource(size), file_(std::move(file)) {}

  protected:
    bool ReadAt(std::uint64_t pos, void* dst, std::size_t n) override;

  private:
    std::unique_ptr<std::FILE, Closer> file_;
    std::optional<std::uint64_t> devicePos_;  // where the C library stands; unknown after a failure
};

}  // namespace cl
