// The plug-in's unload hook, in a process that loads it the way the host does: at process exit,
// when the platform library's trace and thread data may already be destroyed, the hook must not
// use them. (The library stays mapped after dlclose, as libraries with unique symbols do, so the
// hook runs at exit either way.)
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "palu/SimTrace.h"
#include "palu/Trace.h"

namespace {

int traceFile = -1;

void toFile(void*, const char* line) {
    const std::string text = std::string(line) + "\n";
    if (::write(traceFile, text.data(), text.size()) < 0) std::abort();
}

// The trace lines of a child that loads the plug-in, traces from its main thread, and exits.
std::string traceOfChild() {
    char path[] = "/tmp/quorrel-unload-XXXXXX";
    const int fd = ::mkstemp(path);
    EXPECT_GE(fd, 0);
    const pid_t child = ::fork();
    if (child == 0) {
        traceFile = fd;
        SimTrace_setEnabled(1);
        SimTrace_setLineCallback(&toFile, nullptr);
        void* plugin = ::dlopen(QUORREL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (plugin == nullptr) ::_exit(3);
        // A line long enough to live on the heap of the thread's line buffer.
        nORVMDBG100::tTrace::getInstance().putPrefix('i', "test", __FILE__, __LINE__).putf("%0200d", 7).endl();
        std::exit(0);  // static and thread-local destructors run, then the unload hooks
    }
    int status = 0;
    EXPECT_EQ(child, ::waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(0, WEXITSTATUS(status));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    ::close(fd);
    ::unlink(path);
    return text.str();
}

TEST(PluginUnload, AtProcessExitTheHookLeavesTheDestroyedTraceAlone) {
    const std::string trace = traceOfChild();
    EXPECT_NE(std::string::npos, trace.find("package event 2 ")) << trace;
    EXPECT_EQ(std::string::npos, trace.find("package event 3 ")) << trace;
    EXPECT_EQ(std::string::npos, trace.find("package event 1 ")) << trace;
}

}  // namespace
