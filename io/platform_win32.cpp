// The platform calls on Windows: the system is asked in wide characters and
// its answers are converted to UTF-8 here.

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "io/paths.h"
#include "io/platform.h"

namespace platform {

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

// Windows writes back on its own and has no call that starts it without
// waiting for it.
void StartWriteBack(std::FILE*) {}

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

bool ProcessIsGone(const std::string& tag) {
    if (tag.empty() || tag.size() > 10 || tag.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long long id = std::strtoull(tag.c_str(), nullptr, 10);
    if (id == 0 || id > 0xFFFFFFFFull) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    // No such process; access denied means one runs under another user.
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool ended = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}

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
    const bool ending = event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT;
    // A second Ctrl-C ends the process at once; closing the console, a
    // logoff or a shutdown after a Ctrl-C still waits for the clean-up.
    if (RaiseInterruptFlag() && !ending) return FALSE;
    if (ending) {
        // Windows ends the process when this returns: give the main thread
        // time to remove its temporary file and exit by itself.
        for (int i = 0; i < 90; ++i) Sleep(50);
    }
    return TRUE;
}
}  // namespace

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

std::string SystemLanguage() {
    char language[16] = {0}, country[16] = {0};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, sizeof language) == 0)
        return std::string();
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, sizeof country) == 0)
        return language;
    return std::string(language) + "_" + country;
}

ProcAddress GlFunctionAddress(const char* name) {
    // Looked up in the loaded opengl32.dll rather than linked, so the batch
    // tool does not import it.
    HMODULE library = GetModuleHandleW(L"opengl32.dll");
    if (library == nullptr) return nullptr;
    using WglGetProcAddress = PROC(WINAPI*)(LPCSTR);
    const auto wglLookup =
        reinterpret_cast<WglGetProcAddress>(reinterpret_cast<void (*)()>(GetProcAddress(library, "wglGetProcAddress")));
    PROC found = wglLookup != nullptr ? wglLookup(name) : nullptr;
    // wglGetProcAddress answers 0 to 3 or -1 for a function it does not
    // have; the OpenGL 1.1 ones are exported by opengl32.dll itself.
    const INT_PTR code = reinterpret_cast<INT_PTR>(found);
    if (code >= -1 && code <= 3) found = GetProcAddress(library, name);
    return reinterpret_cast<ProcAddress>(reinterpret_cast<void (*)()>(found));
}

}  // namespace platform
