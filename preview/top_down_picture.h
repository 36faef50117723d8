#pragma once
// The top-down picture of a preview scene: every terrain triangle filled in
// its texture's colour and hill-shaded by its normal (lit from the
// north-west, so slopes, ridges and hollows read at a glance), and one round
// mark per placed model in that model's colour, as wide as its scale. The
// legend with the counts and the static-model budget goes beside it.

#include <cstdint>

#include "preview/png_encoder.h"
#include "preview/preview_scene.h"
#include "preview/view_transform.h"

constexpr std::uint32_t kPreviewBackground = 0x202020;
// The outlines of the brushes (buildings, walls) over the terrain.
constexpr std::uint32_t kBrushOutlineColour = 0xC8C8C8;

// How much light a triangle with this normal gets from the sun of the
// picture: 1 for flat ground, brighter facing north-west, darker facing away
// (0.35 .. 1.3). Either winding gives the same. Plain arithmetic and sqrt
// only, so the picture is the same on every platform.
double HillShade(double nx, double ny, double nz);

// The world radius of a mark of scale 1; marks grow with their scale.
constexpr double kMarkRadius = 6.0;

// The scene as the view shows it, view.Width() x view.Height() pixels.
RgbImage DrawTopDown(const PreviewScene& scene, const ViewTransform& view);

// The legend alone: textures with their meshes and models, models with their
// marks, then the budget line; at least minHeight pixels high.
RgbImage DrawLegend(const PreviewScene& scene, int minHeight, int textScale);

// What the batch tool writes and Save as PNG saves: the whole map fitted
// into a picture whose longer side is `longerSide` pixels (at least 16),
// with the legend on its right.
RgbImage PreviewPicture(const PreviewScene& scene, int longerSide);
