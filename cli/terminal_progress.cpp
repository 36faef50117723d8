#include "cli/terminal_progress.h"

#include <string>

#include "io/platform.h"

void TerminalProgress::Finish() {
    if (!drawn_) return;
    if (escapes_)
        std::fputs("\r\033[K", stderr);
    else
        std::fprintf(stderr, "\r%s\r", std::string(static_cast<std::size_t>(lineLength_), ' ').c_str());
    std::fflush(stderr);
    drawn_ = false;
}

bool TerminalProgress::KeepGoing() { return !platform::InterruptRequested(); }

void TerminalProgress::MeshRead() {
    ++meshesRead;
    if (meshesRead % 256 == 0) Draw(true);
}

void TerminalProgress::MeshProcessed() {
    ++meshesProcessed;
    Draw(false);
}

void TerminalProgress::Draw(bool force) {
    if (!draw_) return;
    const int percent = meshesRead > 0 ? meshesProcessed * 100 / meshesRead : 0;
    if (!force && percent == lastPercent_) return;
    lastPercent_ = percent;
    constexpr int kWidth = 30;
    char bar[kWidth + 1];
    const int filled = percent * kWidth / 100;
    for (int i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '-';
    bar[kWidth] = '\0';
    // The line only grows during a run, so each draw covers the one before.
    const int length = std::fprintf(stderr, "\r[%s] %3d%%  meshes %d/%d  models %d", bar, percent,
                                    meshesProcessed, meshesRead, modelsPlaced);
    if (length > lineLength_) lineLength_ = length;
    std::fflush(stderr);
    drawn_ = true;
}
