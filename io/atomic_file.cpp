#include "io/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <vector>

#include "io/paths.h"
#include "io/platform.h"

namespace {
std::atomic<unsigned> temporaryCounter{0};
}

AtomicFileWriter::AtomicFileWriter(std::string targetPath, std::size_t bufferSize)
    : target_(std::move(targetPath)), capacity_(bufferSize < 4096 ? 4096 : bufferSize) {}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Fail(const std::string& what, const std::string& path) {
    if (error_.empty()) error_ = "Cannot " + what + " '" + path + "': " + platform::LastErrorText() + ".";
}

void RemoveStaleTemporaries(const std::string& target) {
    const std::string prefix = paths::LastComponent(target) + ".tmp-";
    const std::string directory = paths::DirectoryPart(target);
    std::vector<std::string> names;
    platform::ListDirectory(directory.empty() ? std::string(".") : directory, names);
    const std::string self = platform::ProcessTag();
    for (const std::string& name : names) {
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // <prefix><process tag>-<counter>
        const std::string rest = name.substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == std::string::npos || dash + 1 == rest.size() ||
            rest.find_first_not_of("0123456789", dash + 1) != std::string::npos)
            continue;
        const std::string tag = rest.substr(0, dash);
        if (tag != self && platform::ProcessIsGone(tag)) platform::RemoveFile(paths::Join(directory, name));
    }
}

bool AtomicFileWriter::Open() {
    // A killed writer's temporary (its process gone) is of no use to anyone.
    RemoveStaleTemporaries(target_);
    buffer_.reset(new (std::nothrow) char[capacity_]);
    if (!buffer_) {
        error_ = "Not enough memory to write '" + target_ + "'.";
        return false;
    }
    // The creation is exclusive, so an unrelated file is never reused.
    for (int attempt = 0; attempt < 100 && file_ == nullptr; ++attempt) {
        temporary_ = target_ + ".tmp-" + platform::ProcessTag() + "-" +
                     std::to_string(temporaryCounter++);
        errno = 0;
        file_ = platform::CreateNewFile(temporary_);
        if (file_ == nullptr && errno != EEXIST) break;
    }
    if (file_ == nullptr) {
        Fail("create a temporary file beside", target_);
        temporary_.clear();
        buffer_.reset();
        return false;
    }
    return true;
}

bool AtomicFileWriter::FlushBuffer() {
    const std::size_t pending = used_;
    used_ = 0;
    if (pending == 0) return true;
    if (file_ == nullptr || Failed()) return false;
    errno = 0;
    if (std::fwrite(buffer_.get(), 1, pending, file_) != pending) {
        if (errno == 0) errno = EIO;
        Fail("write", temporary_);
        return false;
    }
    HandedToFile(pending);
    return true;
}

void AtomicFileWriter::HandedToFile(std::size_t size) {
    // A large output left to the final sync waits for all of it at the end;
    // starting the write-back every few megabytes lets the disk work while
    // the rest is still being made.
    constexpr std::size_t kWriteBackStep = std::size_t{32} << 20;
    notYetWrittenBack_ += size;
    if (notYetWrittenBack_ < kWriteBackStep) return;
    notYetWrittenBack_ = 0;
    if (std::fflush(file_) == 0) platform::StartWriteBack(file_);
}

char* AtomicFileWriter::Reserve(std::size_t size) {
    // A caller that gets nullptr writes nothing; the failure is remembered so
    // Commit() never replaces the target with a file that lacks those bytes.
    if (!buffer_) {
        if (error_.empty()) error_ = "Cannot write '" + target_ + "': the file was not opened.";
        return nullptr;
    }
    if (capacity_ - used_ < size) {
        FlushBuffer();
        if (size > capacity_) {
            std::unique_ptr<char[]> larger(new (std::nothrow) char[size]);
            if (!larger) {
                if (error_.empty()) error_ = "Not enough memory to write '" + target_ + "'.";
                return nullptr;
            }
            buffer_ = std::move(larger);
            capacity_ = size;
        }
    }
    return buffer_.get() + used_;
}

void AtomicFileWriter::Write(const char* data, std::size_t size) {
    if (size == 0) return;
    if (!Failed() && file_ != nullptr && size > capacity_ - used_) {
        FlushBuffer();
        if (size >= capacity_) {
            // Large blocks (the copied map) go straight to the file.
            errno = 0;
            if (std::fwrite(data, 1, size, file_) != size) {
                if (errno == 0) errno = EIO;
                Fail("write", temporary_);
            } else {
                HandedToFile(size);
            }
            return;
        }
    }
    if (Failed() || file_ == nullptr) return;
    std::memcpy(buffer_.get() + used_, data, size);
    used_ += size;
}

bool AtomicFileWriter::Commit() {
    if (file_ == nullptr) {
        if (error_.empty()) error_ = "Cannot write '" + target_ + "': the file was not opened.";
        return false;
    }
    FlushBuffer();
    errno = 0;
    if (!Failed() && std::fflush(file_) != 0) Fail("write", temporary_);
    if (!Failed() && !platform::SyncFile(file_)) Fail("write", temporary_);
    errno = 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) Fail("write", temporary_);
    if (!Failed() && !platform::CopyPermissions(target_, temporary_)) Fail("set permissions of", temporary_);
    std::string reason;
    if (!Failed() && !platform::ReplaceFileAtomically(temporary_, target_, reason) && error_.empty())
        error_ = "Cannot replace '" + target_ + "': " + reason + ".";
    if (Failed()) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void AtomicFileWriter::Discard() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        platform::RemoveFile(temporary_);
        temporary_.clear();
    }
    used_ = 0;
}
