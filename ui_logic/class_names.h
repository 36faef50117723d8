#pragma once
// The rules a new class name must meet. An empty result means the name is
// acceptable; otherwise it is the message to show.

#include <string>
#include <vector>

std::string CheckClassName(const std::string& name, const std::vector<std::string>& existingNames);
// Case-insensitive (ASCII) equality, as the class lists compare names.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
