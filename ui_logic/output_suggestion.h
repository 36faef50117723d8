#pragma once
// The output the Maps tab proposes for an input: "<map>_foliage" for a map
// of the list, and the chosen file's path with "_foliage" before its
// extension for a file picked by hand.

#include <string>

std::string SuggestedOutputName(const std::string& mapName);
// "_foliage" goes before the last four characters (taken to be ".map"), but
// never into the directory part of a short file name.
std::string SuggestedOutputPath(const std::string& inputPath);

// A name chosen in the save dialog gets ".map" when it does not already end
// in it (letter case ignored, as Windows does): "mp_x" -> "mp_x.map".
std::string WithMapExtension(const std::string& path);
