#pragma once
// What the engine tells whoever drives it while it works: the window's
// counters and gauge, the batch tool's progress bar, a test's recorder.

class ProgressReceiver {
public:
    virtual ~ProgressReceiver() = default;
    virtual void MeshRead() = 0;       // after each mesh the reader stores
    virtual void MeshProcessed() = 0;  // after each mesh placement has finished
    virtual void ModelPlaced() = 0;    // after each model entity written
    // Asked after every mesh read and processed: true ends the run as a
    // failure, so nothing is written and no temporary file stays.
    virtual bool StopRequested() { return false; }
};

// A receiver that ignores everything.
class NullProgress : public ProgressReceiver {
public:
    void MeshRead() override {}
    void MeshProcessed() override {}
    void ModelPlaced() override {}
};
