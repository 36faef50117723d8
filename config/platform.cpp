#include "config/platform.h"

#include <cerrno>
#include <cstring>

#include "config/paths.h"

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#include <process.h>
#else
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdint>

namespace platform {

#ifdef _WIN32

std::string LastErrorText() {
    DWORD code = GetLastError();
    if (code == 0) return std::strerror(errno);
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = text ? text : "unknown error";
    LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
    return result;
}

bool SyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool CopyPermissions(const std::string&, const std::string&) { return true; }

bool ReplaceFile(const std::string& from, const std::string& to) {
    SetLastError(0);
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::string ProcessTag() { return std::to_string(_getpid()); }

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::string ExecutableDirectory() {
    char buffer[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::string();
    return paths::DirectoryPart(std::string(buffer, n));
}

void AdviseLargeBuffer(void*, std::size_t) {}

#else

std::string LastErrorText() { return std::strerror(errno); }

bool SyncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

bool CopyPermissions(const std::string& model, const std::string& path) {
    struct stat info;
    if (stat(model.c_str(), &info) != 0) return errno == ENOENT;
    return chmod(path.c_str(), info.st_mode & 07777) == 0;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

std::string ProcessTag() { return std::to_string(static_cast<long>(getpid())); }

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

std::string ExecutableDirectory() {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (n <= 0 || n >= static_cast<ssize_t>(sizeof buffer)) return std::string();
    return paths::DirectoryPart(std::string(buffer, static_cast<std::size_t>(n)));
}

void AdviseLargeBuffer(void* buffer, std::size_t size) {
#ifdef MADV_HUGEPAGE
    // Only whole pages inside the buffer; the advice is a hint and may fail.
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0) return;
    const std::uintptr_t page = static_cast<std::uintptr_t>(pageSize);
    const std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(buffer) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)buffer;
    (void)size;
#endif
}

#endif

}  // namespace platform
