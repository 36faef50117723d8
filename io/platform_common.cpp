// The platform calls that the standard library makes the same on every
// system, given the per-system path and error conversions.

#include <atomic>
#include <cstdlib>
#include <filesystem>

#include "io/platform.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Set from a signal handler or a console's handler thread: a lock-free
// atomic is safe in both.
std::atomic<int> interrupted{0};
static_assert(ATOMIC_INT_LOCK_FREE == 2, "the interrupt flag must be lock-free");

Outcome Result(const std::error_code& error) {
    Outcome outcome;
    if (error) {
        outcome.ok = false;
        outcome.reason = ErrorText(error);
    }
    return outcome;
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" -> "".
std::string LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        std::string language(value);
        language = language.substr(0, language.find_first_of(".@"));
        return language == "C" || language == "POSIX" ? std::string() : language;
    }
    return std::string();
}

}  // namespace

bool InterruptRequested() { return interrupted.load() != 0; }

bool RaiseInterruptFlag() { return interrupted.exchange(1) != 0; }

void ForgetInterrupt() {
    interrupted.store(0);
    CatchInterrupts();
}

PathStatus QueryPath(const std::string& path) {
    PathStatus result;
    std::error_code ec;
    switch (fs::status(FsPath(path), ec).type()) {
        case fs::file_type::not_found: result.kind = PathKind::Missing; break;
        case fs::file_type::regular: result.kind = PathKind::RegularFile; break;
        case fs::file_type::directory: result.kind = PathKind::Directory; break;
        case fs::file_type::none:  // the only answer of a failed query
            result.kind = PathKind::QueryFailed;
            result.reason = ErrorText(ec);
            break;
        default: result.kind = PathKind::Other; break;
    }
    return result;
}

Outcome FileSize(const std::string& path, std::uint64_t& size) {
    std::error_code ec;
    const std::uintmax_t bytes = fs::file_size(FsPath(path), ec);
    if (!ec) size = bytes;
    return Result(ec);
}

Outcome MakeDirectory(const std::string& path) {
    // Only a missing directory is made; one that is there is left alone.
    if (QueryPath(path).kind == PathKind::Directory) return Outcome();
    std::error_code ec;
    fs::create_directory(FsPath(path), ec);
    return Result(ec);
}

Outcome ListDirectory(const std::string& path, std::vector<std::string>& names) {
    std::error_code ec;
    fs::directory_iterator it(FsPath(path), ec), end;
    for (; !ec && it != end; it.increment(ec)) names.push_back(PathText(it->path().filename()));
    return Result(ec);
}

std::string UserLanguage() {
    if (std::getenv("LC_ALL") || std::getenv("LC_MESSAGES") || std::getenv("LANG"))
        return LanguageFromEnvironment();
    return SystemLanguage();
}

}  // namespace platform
