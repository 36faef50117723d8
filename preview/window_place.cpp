#include "preview/window_place.h"

#include <cstdio>
#include <cstdlib>

#include "io/atomic_file.h"
#include "io/platform.h"

bool LoadWindowPlace(const std::string& path, WindowPlace& place) {
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) return false;
    char line[128] = {};
    const std::size_t got = std::fread(line, 1, sizeof line - 1, file);
    std::fclose(file);
    line[got] = '\0';
    // Four whole numbers within +-100000 and nothing but white space after them.
    long numbers[4];
    const char* at = line;
    for (long& number : numbers) {
        char* end = nullptr;
        number = std::strtol(at, &end, 10);
        if (end == at || number < -100000 || number > 100000) return false;
        at = end;
    }
    while (*at == ' ' || *at == '\r' || *at == '\n' || *at == '\t') ++at;
    if (*at != '\0' || numbers[2] < 100 || numbers[3] < 100) return false;
    place = {static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]),
             static_cast<int>(numbers[3])};
    return true;
}

bool SaveWindowPlace(const std::string& path, const WindowPlace& place, std::string& error) {
    AtomicFileWriter writer(path, 256);
    if (writer.Open()) {
        writer.Write(std::to_string(place.x) + " " + std::to_string(place.y) + " " + std::to_string(place.width) +
                     " " + std::to_string(place.height) + "\r\n");
    }
    if (writer.Commit()) return true;
    error = writer.Error();
    return false;
}
