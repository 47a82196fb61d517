// registration_check.cpp - loads the UDR module the way the server's UDR
// engine does (dlopen / LoadLibrary, then firebird_udr_plugin) with a
// stand-in plugin that records what the module registers, and checks that
// exactly the 41 routine names of the declaration scripts arrive, each once,
// with no error.  Built for Linux and, cross-compiled, run under Wine.
//
//   registration_check MODULE NAMES-FILE
// NAMES-FILE lists the expected names, one a line.  Prints "N passed, N
// failed" for its checks.
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "udr_stand_ins.h"

using namespace Firebird;
using udr_stand_ins::Plugin;
using udr_stand_ins::Status;

namespace {

using EntryPoint = FB_BOOLEAN* (*)(IStatus*, FB_BOOLEAN*, IUdrPlugin*);

EntryPoint load(const char* path) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(path);
    return module == nullptr ? nullptr
                             : reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(
                                   GetProcAddress(module, "firebird_udr_plugin")));
#else
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return module == nullptr
               ? nullptr
               : reinterpret_cast<EntryPoint>(dlsym(module, "firebird_udr_plugin"));
#endif
}

int passed = 0, failed = 0;

void check(bool ok, const std::string& what) {
    ++(ok ? passed : failed);
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: registration_check MODULE NAMES-FILE\n");
        return 2;
    }
    std::set<std::string> expected;
    std::ifstream names(argv[2]);
    for (std::string line; std::getline(names, line);) {
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        if (!line.empty())
            expected.insert(line);
    }
    const EntryPoint entry = load(argv[1]);
    check(entry != nullptr, "the module loads and exports firebird_udr_plugin");
    if (entry != nullptr) {
        Status status;
        Plugin plugin;
        FB_BOOLEAN unloaded = FB_FALSE;
        FB_BOOLEAN* flag = entry(&status, &unloaded, &plugin);
        check(flag != nullptr && !(status.getState() & IStatus::STATE_ERRORS),
              "registration succeeds without an error");
        const std::set<std::string> got(plugin.names.begin(), plugin.names.end());
        check(plugin.names.size() == got.size(), "no routine is registered twice");
        check(got == expected,
              "the registered functions are the " + std::to_string(expected.size()) +
                  " declared routines (got " + std::to_string(got.size()) + ")");
        check(plugin.others.empty(), "no procedures or triggers");
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
