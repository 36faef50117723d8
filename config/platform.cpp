#include "config/platform.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "config/paths.h"

#ifdef _WIN32
#include <windows.h>
#include <io.h>
#include <process.h>
#else
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdint>

namespace platform {

namespace {
// Set from a signal handler (or, on Windows, the console's handler thread):
// a lock-free atomic is safe in both.
std::atomic<int> interrupted{0};
static_assert(ATOMIC_INT_LOCK_FREE == 2, "the interrupt flag must be lock-free");
}  // namespace

bool InterruptRequested() { return interrupted.load() != 0; }

namespace {
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

namespace {
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (interrupted.exchange(1) != 0 && event != CTRL_CLOSE_EVENT) return FALSE;  // the second: default
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
        // Windows ends the process when this returns: give the main thread
        // time to remove its temporary file and exit by itself.
        for (int i = 0; i < 90; ++i) Sleep(50);
    }
    return TRUE;
}
}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

std::string UserLanguage() {
    if (std::getenv("LC_ALL") || std::getenv("LC_MESSAGES") || std::getenv("LANG"))
        return LanguageFromEnvironment();
    char language[16] = {0}, country[16] = {0};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, sizeof language) == 0)
        return std::string();
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, sizeof country) == 0)
        return language;
    return std::string(language) + "_" + country;
}

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

namespace {
void OnInterruptSignal(int) { interrupted.store(1); }
}  // namespace

std::string UserLanguage() { return LanguageFromEnvironment(); }

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

#endif

}  // namespace platform
