#include "io/platform.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "io/paths.h"

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <atomic>

namespace platform {

namespace {
// Set from a signal handler (or, on Windows, the console's handler thread):
// a lock-free atomic is safe in both.
std::atomic<int> interrupted{0};
static_assert(ATOMIC_INT_LOCK_FREE == 2, "the interrupt flag must be lock-free");
}  // namespace

bool InterruptRequested() { return interrupted.load() != 0; }

PathStatus QueryPath(const std::string& path) {
    namespace fs = std::filesystem;
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

namespace {

std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int size = static_cast<int>(utf8.size());
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, &wide[0], n);
    return wide;
}

std::string Utf8(const wchar_t* wide, std::size_t length) {
    if (length == 0) return std::string();
    const int size = static_cast<int>(length);
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide, size, &utf8[0], n, nullptr, nullptr);
    return utf8;
}

std::string Utf8(const std::wstring& wide) { return Utf8(wide.data(), wide.size()); }

// The system's text for a Win32 error code, in the user's language.
std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string result = n > 0 && text ? Utf8(text, n) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ' ||
                               result.back() == '.'))
        result.pop_back();
    return result;
}

// Whether another program holds the file open without letting it be
// renamed or deleted (a map open in the level editor): asking for delete
// access, while sharing everything, then fails with a sharing violation.
bool HeldOpenElsewhere(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

std::string LastErrorText() {
    const DWORD code = GetLastError();
    if (code == 0) return std::strerror(errno);
    return SystemMessage(code);
}

std::string ErrorText(const std::error_code& error) {
    if (error.category() == std::system_category()) return SystemMessage(static_cast<DWORD>(error.value()));
    return error.message();
}

std::filesystem::path FsPath(const std::string& utf8) { return std::filesystem::path(Wide(utf8)); }

std::string PathText(const std::filesystem::path& path) { return Utf8(path.wstring()); }

bool SamePathText(const std::string& a, const std::string& b) {
    const std::wstring wa = Wide(a), wb = Wide(b);
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
    SetLastError(0);
    return _wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

std::FILE* CreateNewFile(const std::string& path) {
    SetLastError(0);
    // The C runtime's fopen has no "x" mode, so the exclusive creation is done
    // on a descriptor.
    const int fd = _wopen(Wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                          _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _wfdopen(fd, L"wb");
    if (file == nullptr) _close(fd);
    return file;
}

bool RemoveFile(const std::string& path) {
    SetLastError(0);
    return DeleteFileW(Wide(path).c_str()) != 0;
}

bool SyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool CopyPermissions(const std::string&, const std::string&) { return true; }

bool ReplaceFileAtomically(const std::string& from, const std::string& to, std::string& reason) {
    const std::wstring source = Wide(from), target = Wide(to);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reason = "the file is read-only";
        return false;
    }
    // Asked first: a replacement that fails on a held file may leave a stray
    // file of its own behind.
    if (attributes != INVALID_FILE_ATTRIBUTES && HeldOpenElsewhere(target)) {
        reason = "the file is open in another program; close it there and try again";
        return false;
    }
    // ReplaceFileW keeps the target's attributes and security; it needs an
    // existing regular file, so anything else goes through MoveFileExW.
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return true;
    if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    reason = SystemMessage(GetLastError());
    return false;
}

std::string ProcessTag() { return std::to_string(_getpid()); }

bool IsTerminal(std::FILE* stream) {
    // _isatty is also true for the NUL device; only a console has a mode.
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

// Consoles before Windows 10 lack virtual-terminal processing, and Wine's
// accepts the mode yet prints the escapes; "\r" alone works in all of them.
bool TerminalUnderstandsEscapes(std::FILE*) { return false; }

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    // argv is in the ANSI code page, which cannot hold every name; the wide
    // command line can.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) {
        for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
        return arguments;
    }
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8(std::wstring(wide[i])));
    LocalFree(wide);
    return arguments;
}

namespace {

UINT consoleCodePageBefore = 0;

void RestoreConsoleCodePage() { SetConsoleOutputCP(consoleCodePageBefore); }

}  // namespace

void UseUtf8Console() {
    // The code page belongs to the console, not to this process: give the
    // user's back at exit.
    consoleCodePageBefore = GetConsoleOutputCP();
    if (consoleCodePageBefore == 0 || consoleCodePageBefore == CP_UTF8) return;
    if (SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreConsoleCodePage);
}

std::string ExecutableDirectory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::string();
        if (n < buffer.size()) return paths::DirectoryPart(Utf8(buffer.data(), n));
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
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

std::string ErrorText(const std::error_code& error) { return error.message(); }

std::filesystem::path FsPath(const std::string& utf8) { return std::filesystem::path(utf8); }

std::string PathText(const std::filesystem::path& path) { return path.string(); }

bool SamePathText(const std::string& a, const std::string& b) { return a == b; }

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* CreateNewFile(const std::string& path) { return std::fopen(path.c_str(), "wbx"); }

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool SyncFile(std::FILE* file) { return fsync(fileno(file)) == 0; }

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
