#pragma once
// Replaces a file without ever leaving it half written: everything goes to a
// temporary file beside the target, and only when every write, the flush and
// the close succeeded is it renamed over the target. Until Commit() the
// target is untouched; a writer destroyed without a successful Commit()
// removes its temporary file.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Removes the temporary files of earlier writers of `target`
// (target.tmp-<process>-<n>) whose process has ended: what a killed run left.
void RemoveStaleTemporaries(const std::string& target);

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::string targetPath, std::size_t bufferSize = 1 << 20);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates the temporary file. False (with Error()) when it cannot.
    bool Open();
    // Buffered; the first failure is remembered and reported by Commit().
    void Write(const char* data, std::size_t size);
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    // Reserves room for `size` bytes in the buffer and returns where to put
    // them (for formatting in place); call Advance() with what was used.
    char* Reserve(std::size_t size);
    void Advance(std::size_t used) { used_ += used; }
    // Flushes, closes, keeps the target's permissions and renames over it.
    bool Commit();
    // Drops the temporary file; the target stays as it was.
    void Discard();

    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

private:
    bool FlushBuffer();
    void HandedToFile(std::size_t size);
    void Fail(const std::string& what, const std::string& path);

    std::string target_;
    std::string temporary_;
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
    std::size_t notYetWrittenBack_ = 0;
    std::string error_;
};
