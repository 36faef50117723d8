#pragma once

#include "config/foliage_records.h"

// One placed model, handed from placement to the writer and never stored.
struct ModelPlacement {
    float x = 0.0f, y = 0.0f, z = 0.0f;  // z includes the model's zOffset
    float scale = 1.0f;
    float pitch = 0.0f, yaw = 0.0f, roll = 0.0f;  // degrees
    const ModelOption* modelOption = nullptr;      // the option it was made for
};

// Receives each placement the moment it has been made.
class PlacementSink {
public:
    virtual ~PlacementSink() = default;
    virtual void Place(const ModelPlacement& placement) = 0;
    // Asked before each cell of a mesh: true ends the mesh's placement early.
    virtual bool Stopped() { return false; }
};
