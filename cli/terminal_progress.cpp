#include "cli/terminal_progress.h"

#include "config/platform.h"

// The line is cleared by overwriting it with spaces rather than with an
// escape sequence, which a dumb terminal (TERM=dumb, an editor's console)
// would print as it is.
void TerminalProgress::Finish() {
    if (drawn_) std::fprintf(stderr, "\r%*s\r", width_, "");
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
    const int width = std::fprintf(stderr, "\r[%s] %3d%%  meshes %d/%d  models %d", bar, percent,
                                   meshesProcessed, meshesRead, modelsPlaced) - 1;
    if (width > width_) width_ = width;
    std::fflush(stderr);
    drawn_ = true;
}
