#pragma once
// Where the preview window was and how large, remembered in a one-line file
// of the data directory ("x y width height"), so it opens there next time.

#include <string>

struct WindowPlace {
    int x = 0, y = 0, width = 0, height = 0;
};

// False for a missing, unreadable or malformed file, or a size under 100 x 100.
bool LoadWindowPlace(const std::string& path, WindowPlace& place);
// Written atomically; false with the reason in `error`.
bool SaveWindowPlace(const std::string& path, const WindowPlace& place, std::string& error);

// Where a preview window opens when none is remembered: beside the main
// window (`main`), on the side of the screen area (`area`) with the most
// room, so the main window's tabs and buttons stay in reach while the
// preview floats above it. The wanted size shrinks to that room, never below
// the least one; when no side has room for that, the window is centred on
// the area at the wanted size (cut to the area).
WindowPlace PlaceBeside(const WindowPlace& main, const WindowPlace& area, int width, int height, int leastWidth,
                        int leastHeight);
