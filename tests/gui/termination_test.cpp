// A logout, a shutdown or `kill` sends SIGTERM (or SIGHUP): the window stops
// its run, leaves no temporary file, and closes.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <wx/weakref.h>

#include "io/paths.h"
#include "io/platform.h"
#include "tests/gui/window_fixture.h"

extern char** environ;

namespace {

// A window that is sent a signal while it reads the first mesh of its run,
// as a logout would at any moment.
class SignalledDuringRunFrame : public ArbrelFrame {
public:
    using ArbrelFrame::ArbrelFrame;
    void MeshRead() override {
        ArbrelFrame::MeshRead();
        if (signal == 0) return;
        kill(getpid(), signal);
        signal = 0;
    }
    int signal = 0;
};

}  // namespace

TEST(Termination, DuringARunTheRunStopsWithoutATraceAndTheWindowCloses) {
    for (int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        WindowFixture window;
        // A heavy run: it lasts seconds.
        WriteFileBytes(window.dir.File("data/maps/heavy.csv"), "ground_grass_field,0,30,grass\r\n");
        auto* signalled = new SignalledDuringRunFrame(nullptr, -1, window.dir.path() + "/");
        window.Adopt(signalled);
        platform::CatchInterrupts();
        window.PrepareDemoRun("heavy.map", "heavy");
        wxWeakRef<ArbrelFrame> frame(window.frame);
        signalled->signal = signal;
        window.Run();
        PumpEvents(100);
        EXPECT_FALSE(frame);
        if (!frame) window.frame = nullptr;
        EXPECT_EQ(FileNames(window.dir.path()), std::vector<std::string>{"data"});  // no output, no temporary
        platform::ForgetInterrupt();
    }
}

// The program itself, idle, under the test's display: it exits by itself
// with success.
TEST(Termination, AnIdleWindowClosesAndTheProgramEndsNormally) {
    TempDir dir;
    const std::string program = std::string(ARBREL_BIN_DIR) + "/arbrel", data = dir.File("data");
    std::vector<std::string> args = {program, "--data-dir", data};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    // Started once it has made its data directory; then a moment to show the window.
    for (int i = 0; i < 200 && !FileExists(paths::Join(data, "models")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(child, SIGTERM);
    int status = 0;
    // At most 30 s: a loaded machine starts and ends a GTK program slowly.
    for (int i = 0; i < 600 && waitpid(child, &status, WNOHANG) == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the program did not end";
    }
    EXPECT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

#endif
