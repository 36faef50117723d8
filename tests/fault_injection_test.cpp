// Saving onto a target that cannot be replaced: the save fails with a
// message, whatever stood there is left alone and no temporary file remains.

#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <functional>
#include <string>

#include "engine/foliage_engine.h"
#include "tests/test_support.h"

namespace {

struct Saver {
    const char* name;
    std::function<bool(FoliageEngine&, const std::string&)> save;
};

const Saver kSavers[] = {
    {"config", [](FoliageEngine& e, const std::string& d) { return e.SaveConfig(d, "config"); }},
    {"map class", [](FoliageEngine& e, const std::string& d) { return e.SaveMapClass(d, "config"); }},
    {"model class",
     [](FoliageEngine& e, const std::string& d) { return e.SaveModelClass(d, "config"); }},
};

int EntryCount(const std::string& directory) {
    int n = 0;
    boost::system::error_code ec;
    for (boost::filesystem::directory_iterator it(directory, ec), end; !ec && it != end;
         it.increment(ec))
        ++n;
    return n;
}

TEST(FaultInjection, SavingOntoANonEmptyDirectoryFailsAndLeavesItAlone) {
    for (const Saver& saver : kSavers) {
        SCOPED_TRACE(saver.name);
        TempDir dir;
        // The target path is taken by a directory holding a file: the final
        // rename cannot replace it.
        boost::filesystem::create_directory(dir.File("config.csv"));
        WriteFileBytes(dir.File("config.csv/keep"), "kept");
        FoliageEngine engine;
        EXPECT_FALSE(saver.save(engine, dir.path()));
        EXPECT_FALSE(engine.LastError().empty());
        EXPECT_EQ(ReadFileBytes(dir.File("config.csv/keep")), "kept");
        EXPECT_EQ(EntryCount(dir.path()), 1) << "a temporary file was left behind";
    }
}

}  // namespace
