#pragma once
// What the engine tells whoever drives it while it works: the window's
// counters and gauge, the batch tool's progress bar, a test's recorder.

class ProgressReceiver {
public:
    virtual ~ProgressReceiver() = default;
    virtual void MeshRead() = 0;       // after each mesh the reader stores
    virtual void MeshProcessed() = 0;  // after each mesh placement has finished
    virtual void ModelPlaced() = 0;    // after each model entity written
    // Asked between the steps of a run (meshes, cells, models). False stops
    // the run: nothing is written and the run reports that it was stopped.
    virtual bool KeepGoing() { return true; }
};

// A receiver that ignores everything.
class NullProgress : public ProgressReceiver {
public:
    void MeshRead() override {}
    void MeshProcessed() override {}
    void ModelPlaced() override {}
};
