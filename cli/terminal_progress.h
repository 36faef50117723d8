#pragma once
// Counts the run's progress and, when standard error is a terminal, draws a
// one-line bar there. Standard output stays free for the result lines. A
// terminal without ANSI escapes (a Windows console) gets the bar drawn and
// cleared with "\r" alone.

#include <cstdio>

#include "engine/progress_receiver.h"

class TerminalProgress : public ProgressReceiver {
public:
    explicit TerminalProgress(bool draw, bool escapes = true) : draw_(draw), escapes_(escapes) {}
    // Clears the bar's line, so that messages start on a clean one.
    void Finish();

    void MeshRead() override;
    void MeshProcessed() override;
    void ModelPlaced() override { ++modelsPlaced; }
    // Ctrl-C and the like (see platform::CatchInterrupts) stop the run.
    bool KeepGoing() override;

    int meshesRead = 0;
    int meshesProcessed = 0;
    int modelsPlaced = 0;

private:
    void Draw(bool force);
    bool draw_;
    bool escapes_;
    bool drawn_ = false;
    int lineLength_ = 0;
    int lastPercent_ = -1;
};
