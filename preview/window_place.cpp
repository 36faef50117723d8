#include "preview/window_place.h"

#include <algorithm>
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

WindowPlace PlaceBeside(const WindowPlace& main, const WindowPlace& area, int width, int height, int leastWidth,
                        int leastHeight) {
    const int right = area.x + area.width, bottom = area.y + area.height;
    width = std::min(width, area.width);
    height = std::min(height, area.height);
    // Slides a span of `size` to start near `at` but stay within [low, high).
    const auto within = [](int at, int size, int low, int high) { return std::max(low, std::min(at, high - size)); };
    const int nearY = within(main.y, height, area.y, bottom), nearX = within(main.x, width, area.x, right);
    const int roomRight = right - (main.x + main.width), roomLeft = main.x - area.x;
    const int roomBelow = bottom - (main.y + main.height), roomAbove = main.y - area.y;
    const WindowPlace sides[] = {
        {main.x + main.width, nearY, std::min(width, roomRight), height},
        {nearX, main.y + main.height, width, std::min(height, roomBelow)},
        {main.x - std::min(width, roomLeft), nearY, std::min(width, roomLeft), height},
        {nearX, main.y - std::min(height, roomAbove), width, std::min(height, roomAbove)},
    };
    WindowPlace best{area.x + (area.width - width) / 2, area.y + (area.height - height) / 2, width, height};
    long bestArea = 0;
    for (WindowPlace side : sides) {
        if (side.width < leastWidth || side.height < leastHeight) continue;
        const long room = static_cast<long>(side.width) * side.height;
        if (room > bestArea) {
            bestArea = room;
            best = side;
        }
    }
    return best;
}
