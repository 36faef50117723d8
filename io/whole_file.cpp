#include "io/whole_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <new>

#include "io/platform.h"

bool ReadWholeFile(const std::string& path, std::uint64_t size, std::uint64_t limit,
                   const char* tooLarge, std::unique_ptr<char[]>& buffer, std::string& error) {
    buffer.reset();
    if (size > limit || size > SIZE_MAX) {
        error = "Cannot read '" + path + "': " + tooLarge + ".";
        return false;
    }
    errno = 0;
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) {
        error = "Cannot open '" + path + "': " + platform::LastErrorText() + ".";
        return false;
    }
    const std::size_t wanted = static_cast<std::size_t>(size);
    buffer.reset(new (std::nothrow) char[wanted == 0 ? 1 : wanted]);
    if (!buffer) {
        std::fclose(file);
        error = "Not enough memory to read '" + path + "'.";
        return false;
    }
    platform::AdviseLargeBuffer(buffer.get(), wanted);
    errno = 0;
    const std::size_t got = wanted == 0 ? 0 : std::fread(buffer.get(), 1, wanted, file);
    const bool failed = std::ferror(file) != 0;
    const std::string reason = failed ? platform::LastErrorText() : std::string();
    std::fclose(file);
    if (got != wanted) {
        error = "Cannot read '" + path + "': " +
                (failed ? reason
                        : "the file holds " + std::to_string(got) + " of the expected " +
                              std::to_string(wanted) + " bytes") +
                ".";
        buffer.reset();
        return false;
    }
    return true;
}
