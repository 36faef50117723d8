#pragma once
// Creating and deleting the file of a class, as the class tabs do when a
// class is added or removed. Each returns an empty string on success, else
// the message to show.

#include <string>
#include <vector>

#include "config/file_stamps.h"

// classDirectory + name + ".csv".
std::string ClassFilePath(const std::string& classDirectory, const std::string& name);

// Checks the name against the class name rules and the names already listed
// (case ignored), then creates the class's empty file. The file is created
// exclusively: a file of that name already there (say one that could not be
// loaded) makes the add fail and is left untouched.
std::string CreateClassFile(const std::string& classDirectory, const std::string& name,
                            const std::vector<std::string>& listedNames);

// Deletes the class's file, unless another window or program changed it
// after this one read or wrote it: then the file stays and the message says
// so. A file that is already gone counts as deleted. The file's stamp goes
// with it, so that a new class of the same name starts empty and unknown.
std::string DeleteClassFile(const std::string& classDirectory, const std::string& name, FileStamps& stamps);
