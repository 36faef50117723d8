#include "engine/tool_textures.h"

namespace {

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

bool IsToolTexture(std::string_view texture) {
    // Families by prefix: clip, clip_player, clip_nosight_metal...;
    // trigger; hint; portal, portal_nodraw; skip; the light grid's volume;
    // mantle_on/over; ladder; the sky box; the editor's non-solid nodraw.
    if (texture == "sky" || texture == "origin") return true;
    for (std::string_view prefix : {"clip", "trigger", "hint", "portal", "skip", "lightgrid", "mantle_", "ladder",
                                    "sky_", "nodraw_notsolid"})
        if (StartsWith(texture, prefix)) return true;
    return false;
}
