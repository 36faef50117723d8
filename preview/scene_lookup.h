#pragma once
// What lies under the pointer in the top-down view: the mark that is hovered
// (for its tooltip) and the texture that is clicked (for its rules and what
// they removed).

#include <cstddef>
#include <optional>
#include <string>

#include "config/catalogue.h"
#include "preview/preview_scene.h"
#include "preview/view_transform.h"

// The mark drawn at pixel (px, py), or the nearest one within `slack`
// pixels of its edge; the nearest centre wins.
std::optional<std::size_t> MarkAt(const PreviewScene& scene, const ViewTransform& view, double px,
                                  double py, double slack = 3.0);

// "model name", "class: ...", "texture: ...", "position: x y z", "scale: s", one a line.
std::string DescribeMark(const PreviewScene& scene, const PreviewMark& mark);

// The texture of the terrain drawn at world (x, y): the last mesh drawn
// there, as in the picture; nothing over bare background.
std::optional<std::size_t> TextureAt(const PreviewScene& scene, double x, double y);

// The texture's meshes and models, every rule of the map class for it, and
// how many candidates the slope, height and spacing rules removed there.
std::string DescribeTexture(const PreviewScene& scene, std::size_t texture,
                            const MapClassTable& mapClasses, const std::string& mapClassName);
