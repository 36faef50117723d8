#include "config/last_session.h"

#include <memory>

#include "io/atomic_file.h"
#include "io/paths.h"
#include "io/platform.h"
#include "io/whole_file.h"

namespace {

const char kFileName[] = "session.csv";
const char kInstallation[] = "installation,";
const char kSeed[] = "seed,";

// A line break would end the line early: such text is not kept.
std::string OneLine(const std::string& text) {
    return text.find_first_of("\r\n") == std::string::npos ? text : std::string();
}

bool StartsWith(const std::string& line, const std::string& key) { return line.compare(0, key.size(), key) == 0; }

}  // namespace

std::string FormatLastSession(const LastSession& session) {
    return kInstallation + OneLine(session.installDir) + "\r\n" + kSeed + OneLine(session.seed) + "\r\n";
}

LastSession ParseLastSession(const std::string& text) {
    LastSession session;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        // Everything after the key's comma is the value: paths may hold commas.
        if (StartsWith(line, kInstallation)) session.installDir = line.substr(sizeof kInstallation - 1);
        else if (StartsWith(line, kSeed)) session.seed = line.substr(sizeof kSeed - 1);
        start = end + 1;
    }
    return session;
}

LastSession LoadLastSession(const std::string& dataDirectory) {
    const std::string path = paths::Join(dataDirectory, kFileName);
    std::uint64_t size = 0;
    if (platform::QueryPath(path).kind != platform::PathKind::RegularFile || !platform::FileSize(path, size).ok)
        return LastSession();
    std::unique_ptr<char[]> data;
    std::string error;
    if (!ReadWholeFile(path, size, 1 << 20, "the file is too large", data, error)) return LastSession();
    return ParseLastSession(std::string(data.get(), static_cast<std::size_t>(size)));
}

bool SaveLastSession(const std::string& dataDirectory, const LastSession& session, std::string& error) {
    AtomicFileWriter writer(paths::Join(dataDirectory, kFileName));
    if (writer.Open()) writer.Write(FormatLastSession(session));
    if (!writer.Commit()) {
        error = writer.Error();
        return false;
    }
    return true;
}
