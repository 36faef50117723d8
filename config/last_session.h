#pragma once
// What the window restores at its next start: the last installation
// directory and the Seed. Kept in a small file of its own, session.csv in
// the data directory ("installation,<dir>" and "seed,<text>" lines), so
// config.csv keeps its format and older files load unchanged.

#include <string>

struct LastSession {
    std::string installDir;  // empty: none
    std::string seed;        // the Seed field's text as typed
};

std::string FormatLastSession(const LastSession& session);
LastSession ParseLastSession(const std::string& text);

// A missing or unreadable file gives an empty session: this is a
// convenience, never a reason for a message at start-up.
LastSession LoadLastSession(const std::string& dataDirectory);
// Replaces session.csv atomically; false with the reason in `error`.
bool SaveLastSession(const std::string& dataDirectory, const LastSession& session, std::string& error);
