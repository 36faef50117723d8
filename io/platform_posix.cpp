// The platform calls on Linux and other POSIX systems.

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "io/paths.h"
#include "io/platform.h"

namespace platform {

std::string LastErrorText() { return std::strerror(errno); }

std::string ErrorText(const std::error_code& error) { return error.message(); }

std::filesystem::path FsPath(const std::string& utf8) { return std::filesystem::path(utf8); }

std::string PathText(const std::filesystem::path& path) { return path.string(); }

bool SamePathText(const std::string& a, const std::string& b) { return a == b; }

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* CreateNewFile(const std::string& path) { return std::fopen(path.c_str(), "wbx"); }

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool SyncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

void StartWriteBack(std::FILE* file) {
#if defined(__linux__)
    sync_file_range(fileno(file), 0, 0, SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
#endif
}

bool CopyPermissions(const std::string& model, const std::string& path) {
    struct stat info;
    if (stat(model.c_str(), &info) != 0) return errno == ENOENT;
    return chmod(path.c_str(), info.st_mode & 07777) == 0;
}

bool ReplaceFileAtomically(const std::string& from, const std::string& to, std::string& reason) {
    // rename() would replace a write-protected file as long as the directory
    // is writable; a file the user protected is refused as on Windows. The
    // mode bits decide for root too, whom access() never refuses.
    struct stat info;
    if (stat(to.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ((info.st_mode & 0222) == 0 || access(to.c_str(), W_OK) != 0)) {
        reason = "the file is read-only";
        return false;
    }
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    reason = std::strerror(errno);
    return false;
}

std::string ProcessTag() { return std::to_string(static_cast<long>(getpid())); }

bool ProcessIsGone(const std::string& tag) {
    if (tag.empty() || tag.size() > 9 || tag.find_first_not_of("0123456789") != std::string::npos) return false;
    const long pid = std::strtol(tag.c_str(), nullptr, 10);
    if (pid <= 0) return false;
    // EPERM: it runs, under another user.
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

bool TerminalUnderstandsEscapes(std::FILE* stream) {
    // TERM=dumb (an editor's console) or NO_COLOR asks for plain text.
    const char* term = std::getenv("TERM");
    const char* noColor = std::getenv("NO_COLOR");
    if ((term && std::strcmp(term, "dumb") == 0) || (noColor && *noColor)) return false;
    return IsTerminal(stream);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void UseUtf8Console() {}

std::string ExecutableDirectory() {
    std::error_code ec;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        // No /proc (a chroot, another Unix): the path the program was started
        // by, when it names a directory.
#ifdef __GLIBC__
        const std::string started = program_invocation_name;
#else
        const std::string started;
#endif
        if (started.find('/') == std::string::npos) return std::string();
        executable = std::filesystem::absolute(started, ec);
        if (ec) return std::string();
    }
    return paths::DirectoryPart(executable.string());
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

namespace {
void OnInterruptSignal(int) { RaiseInterruptFlag(); }
}  // namespace

std::string SystemLanguage() { return std::string(); }

void CatchInterrupts() {
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = OnInterruptSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted reads and writes go on; the handler is reset after the
    // first signal, so a second one ends the process.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

ProcAddress GlFunctionAddress(const char*) { return nullptr; }

}  // namespace platform
