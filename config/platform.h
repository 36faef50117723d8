#pragma once
// The one place that calls the operating system directly; every function has
// a POSIX and a Windows branch.

#include <cstddef>
#include <cstdio>
#include <string>

namespace platform {

// Text of the last system error (errno / GetLastError).
std::string LastErrorText();
// Flushes a written stdio file through to the disk.
bool SyncFile(std::FILE* file);
// Gives `path` the permission bits of `model` (a no-op on Windows, where new
// files inherit the directory's rights).
bool CopyPermissions(const std::string& model, const std::string& path);
// Renames `from` over `to`, replacing an existing file atomically.
bool ReplaceFile(const std::string& from, const std::string& to);
// A name unique to this process, for temporary files.
std::string ProcessTag();
// Whether the stream is an interactive terminal.
bool IsTerminal(std::FILE* stream);
// Directory of the running executable, with a trailing separator; empty when
// it cannot be found.
std::string ExecutableDirectory();
// The user's language for messages as "ll_CC" or "ll" (LC_ALL, LC_MESSAGES
// or LANG; on Windows, when those are not set, the user's locale); empty
// for C/POSIX or when unknown.
std::string UserLanguage();
// From now on Ctrl-C, SIGINT, SIGTERM and SIGHUP (on Windows Ctrl-C,
// Ctrl-Break and closing the console) only raise a flag that the program
// polls with InterruptRequested(), so it can end its work and clean up. A
// second such signal ends the process at once.
void CatchInterrupts();
bool InterruptRequested();
// Asks for large pages behind a big, freshly allocated buffer before it is
// filled: reading a map of a hundred MB into small pages spends more time in
// page faults than in parsing. A hint only; nothing happens where it is not
// offered.
void AdviseLargeBuffer(void* buffer, std::size_t size);

}  // namespace platform
