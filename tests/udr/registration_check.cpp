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

#include <firebird/Interface.h>

using namespace Firebird;

namespace {

class StandInStatus : public IStatusImpl<StandInStatus, CheckStatusWrapper> {
  public:
    void dispose() override {}
    void init() override { errors_ = false; }
    unsigned getState() const override { return errors_ ? STATE_ERRORS : 0; }
    void setErrors2(unsigned, const intptr_t*) override { errors_ = true; }
    void setWarnings2(unsigned, const intptr_t*) override {}
    void setErrors(const intptr_t* value) override { errors_ = value[1] != 0; }
    void setWarnings(const intptr_t*) override {}
    const intptr_t* getErrors() const override { return empty_; }
    const intptr_t* getWarnings() const override { return empty_; }
    IStatus* clone() const override { return const_cast<StandInStatus*>(this); }

  private:
    bool errors_ = false;
    const intptr_t empty_[3] = {isc_arg_gds, 0, isc_arg_end};
};

class StandInPlugin : public IUdrPluginImpl<StandInPlugin, CheckStatusWrapper> {
  public:
    IMaster* getMaster() override { return nullptr; }
    void registerFunction(CheckStatusWrapper*, const char* name, IUdrFunctionFactory*) override {
        functions.push_back(name);
    }
    void registerProcedure(CheckStatusWrapper*, const char* name, IUdrProcedureFactory*) override {
        others.push_back(name);
    }
    void registerTrigger(CheckStatusWrapper*, const char* name, IUdrTriggerFactory*) override {
        others.push_back(name);
    }
    std::vector<std::string> functions, others;
};

using EntryPoint = FB_BOOLEAN* (*)(IStatus*, FB_BOOLEAN*, IUdrPlugin*);

EntryPoint load(const char* path) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(path);
    return module == nullptr ? nullptr
                             : reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(
                                   GetProcAddress(module, "firebird_udr_plugin")));
#else
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    return module == nullptr ? nullptr
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
        if (!line.empty()) expected.insert(line);
    }
    const EntryPoint entry = load(argv[1]);
    check(entry != nullptr, "the module loads and exports firebird_udr_plugin");
    if (entry != nullptr) {
        StandInStatus status;
        StandInPlugin plugin;
        FB_BOOLEAN unloaded = FB_FALSE;
        FB_BOOLEAN* flag = entry(&status, &unloaded, &plugin);
        check(flag != nullptr && !(status.getState() & IStatus::STATE_ERRORS),
              "registration succeeds without an error");
        const std::set<std::string> got(plugin.functions.begin(), plugin.functions.end());
        check(plugin.functions.size() == got.size(), "no routine is registered twice");
        check(got == expected, "the registered functions are the " +
                                   std::to_string(expected.size()) + " declared routines (got " +
                                   std::to_string(got.size()) + ")");
        check(plugin.others.empty(), "no procedures or triggers");
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
