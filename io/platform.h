#pragma once
// The one place that calls the operating system directly. Each system has its
// own file, platform_posix.cpp or platform_win32.cpp (CMake builds the one of
// the target); platform_common.cpp holds the calls that the standard library
// already makes the same everywhere. Text is UTF-8 on both sides of this
// layer: on Windows it talks to the system in wide characters and converts
// here, so no other file ever sees wchar_t.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace platform {

// Text of the last system error (errno / GetLastError), as UTF-8.
std::string LastErrorText();
// The reason of a failed filesystem call, as UTF-8.
std::string ErrorText(const std::error_code& error);
// A filesystem path from UTF-8 text, and back.
std::filesystem::path FsPath(const std::string& utf8);
std::string PathText(const std::filesystem::path& path);
// Whether two path texts name the same path as the file system compares
// names: ignoring case on Windows (all of Unicode, as NTFS does), byte for
// byte elsewhere.
bool SamePathText(const std::string& a, const std::string& b);
// What a path names, following symbolic links. A missing path is no
// failure; QueryFailed is one the system could not answer, with its reason.
enum class PathKind { Missing, RegularFile, Directory, Other, QueryFailed };
struct PathStatus {
    PathKind kind = PathKind::Missing;
    std::string reason;  // for QueryFailed
};
PathStatus QueryPath(const std::string& path);
// The outcome of a file-system call: ok, else the system's reason.
struct Outcome {
    bool ok = true;
    std::string reason;
};
// The size of a file, following symbolic links.
Outcome FileSize(const std::string& path, std::uint64_t& size);
// Makes a directory when it is not there yet (one level: its parent must
// exist); a directory already there is no failure.
Outcome MakeDirectory(const std::string& path);
// The names of a directory's entries, in the order the system lists them;
// after a failure, those listed before it.
Outcome ListDirectory(const std::string& path, std::vector<std::string>& names);
// fopen for a UTF-8 path.
std::FILE* OpenFile(const std::string& path, const char* mode);
// Creates a file that must not exist yet, for writing in binary mode;
// nullptr with errno EEXIST when it is there already.
std::FILE* CreateNewFile(const std::string& path);
// Removes a file; false (errno / GetLastError set) when it cannot.
bool RemoveFile(const std::string& path);
// Flushes a written stdio file through to the disk.
bool SyncFile(std::FILE* file);
// Asks the system to start writing what was written so far to the disk,
// without waiting for it, so the final SyncFile has less left to do. A hint
// only: where the system has no such call it does nothing.
void StartWriteBack(std::FILE* file);
// Gives `path` the permission bits of `model` (a no-op on Windows, where new
// files inherit the directory's rights).
bool CopyPermissions(const std::string& model, const std::string& path);
// Renames `from` over `to`, replacing an existing file atomically. On failure
// `reason` says why, in words a user can act on.
bool ReplaceFileAtomically(const std::string& from, const std::string& to, std::string& reason);
// A name unique to this process, for temporary files.
std::string ProcessTag();
// Whether the process whose ProcessTag() is `tag` has ended. False while it
// runs, and whenever that cannot be told (so nothing of a live process is
// ever taken for left over).
bool ProcessIsGone(const std::string& tag);
// Whether the stream is an interactive terminal (on Windows: a console).
bool IsTerminal(std::FILE* stream);
// Whether the terminal behind the stream understands ANSI escape sequences
// (never assumed of a Windows console, nor when TERM=dumb or NO_COLOR asks
// for plain text).
bool TerminalUnderstandsEscapes(std::FILE* stream);
// The program's arguments (without its name) as UTF-8; Windows hands argv
// over in the ANSI code page, so the wide command line is used there.
std::vector<std::string> CommandLineArguments(int argc, char** argv);
// Lets a Windows console show the UTF-8 text that the program prints.
void UseUtf8Console();
// Directory of the running executable, with a trailing separator; empty when
// it cannot be found.
std::string ExecutableDirectory();
// The user's language for messages as "ll_CC" or "ll" (LC_ALL, LC_MESSAGES
// or LANG; when none of those is set, SystemLanguage()); empty for C/POSIX or
// when unknown.
std::string UserLanguage();
// The language of the user's system settings, asked when the environment
// names none: the user's locale on Windows; empty on POSIX, where the
// environment is the setting.
std::string SystemLanguage();
// From now on Ctrl-C, SIGINT, SIGTERM and SIGHUP (on Windows Ctrl-C,
// Ctrl-Break and closing the console) only raise a flag that the program
// polls with InterruptRequested(), so it can end its work and clean up. A
// second such signal ends the process at once.
void CatchInterrupts();
bool InterruptRequested();
// Forgets a caught interrupt and catches the next one again (for a test
// that sends one to its own process).
void ForgetInterrupt();
// Raises the flag; for the per-system handlers (safe in a signal handler).
// True when it was raised already.
bool RaiseInterruptFlag();
// Asks for large pages behind a big, freshly allocated buffer before it is
// filled: reading a map of a hundred MB into small pages spends more time in
// page faults than in parsing. A hint only; nothing happens where it is not
// offered.
void AdviseLargeBuffer(void* buffer, std::size_t size);
// The address of an OpenGL function of the context current on this thread,
// or nullptr when the driver lacks it. Windows only: its opengl32.dll
// exports OpenGL 1.1 alone and the rest must be asked for (the program that
// draws has loaded opengl32.dll, so nothing else links it). Elsewhere
// libepoxy resolves the functions and this answers nullptr.
using ProcAddress = void (*)();
ProcAddress GlFunctionAddress(const char* name);

}  // namespace platform
