// registration_check.cpp - loads the UDR module the way the server's UDR
// engine does (dlopen / LoadLibrary, then firebird_udr_plugin) with a
// stand-in plugin that records what the module registers, and checks that
// exactly the routine names of the table of functions arrive, each once,
// with no error, and that each routine sets up messages of its function's
// arguments and result.  Built for Linux and, cross-compiled, run under Wine.
//
//   registration_check MODULE
// Prints "N passed, N failed" for its checks.
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "udr_stand_ins.h"

using namespace Firebird;
using udr_stand_ins::MetadataBuilder;
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

// Calls the routine with `value` as its first argument (a second argument,
// the rounding mode, is 2): true when it fails with an error, or gives a
// finite result for a finite value.
bool double_result_is_finite_or_refused(Plugin& plugin, const char* name, double value) {
    IUdrFunctionFactory* factory = plugin.functions.at(name);
    const auto declared =
        udr_stand_ins::declaration_of(*catalog::find(name), catalog::charset_none);
    MetadataBuilder in = declared->in_builder(), out = declared->out_builder();
    Status status;
    CheckStatusWrapper wrapper(&status);
    udr_stand_ins::Context context;
    factory->setup(&wrapper, &context, declared.get(), &in, &out);
    IExternalFunction* routine = factory->newItem(&wrapper, &context, declared.get());
    const udr_stand_ins::Message in_message = in.laid_out(), out_message = out.laid_out();
    std::vector<unsigned char> in_bytes(in_message.length, 0),
        out_bytes(out_message.length, 0);
    std::memcpy(in_bytes.data() + in_message.fields[0].offset, &value, sizeof value);
    if (in_message.fields.size() > 1) {
        const int16_t mode = 2;
        std::memcpy(in_bytes.data() + in_message.fields[1].offset, &mode, sizeof mode);
    }
    routine->execute(&wrapper, &context, in_bytes.data(), out_bytes.data());
    routine->dispose();
    double result;
    std::memcpy(&result, out_bytes.data() + out_message.fields[0].offset, sizeof result);
    const bool refused = (status.getState() & IStatus::STATE_ERRORS) != 0;
    return std::isfinite(value) ? !refused && std::isfinite(result) : refused;
}

void check(bool ok, const std::string& what) {
    ++(ok ? passed : failed);
    if (!ok) {
        std::printf("FAILED: %s\n", what.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::printf("usage: registration_check MODULE\n");
        return 2;
    }
    std::set<std::string> expected;
    for (const catalog::Function& f : catalog::functions) {
        expected.insert(catalog::routine_name(f));
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
                  " routines of the table (got " + std::to_string(got.size()) + ")");
        check(plugin.others.empty(), "no procedures or triggers");
        // Each routine asks for one field per argument and one for the
        // result, and a declaration with another number of parameters is
        // refused with an error, never a fault.
        unsigned set_up = 0, refused = 0;
        for (const auto& registered : plugin.functions) {
            const catalog::Function* f = catalog::find(registered.first.c_str());
            if (f == nullptr) {
                continue;
            }
            const auto declared =
                udr_stand_ins::declaration_of(*f, catalog::charset_none);
            MetadataBuilder in = declared->in_builder(), out = declared->out_builder();
            Status s;
            CheckStatusWrapper wrapper(&s);
            registered.second->setup(&wrapper, nullptr, declared.get(), &in, &out);
            set_up += !(s.getState() & IStatus::STATE_ERRORS) &&
                      in.fields.size() == f->argument_count && out.fields.size() == 1;
            const auto wrong =
                udr_stand_ins::declaration_of(*f, catalog::charset_none, 1);
            MetadataBuilder in2 = wrong->in_builder(), out2 = wrong->out_builder();
            Status s2;
            CheckStatusWrapper wrapper2(&s2);
            registered.second->setup(&wrapper2, nullptr, wrong.get(), &in2, &out2);
            refused += (s2.getState() & IStatus::STATE_ERRORS) ? 1 : 0;
        }
        check(set_up == expected.size(), "every routine sets up its messages");
        // A double that is not a finite number never becomes a result: the
        // server would refuse it after the call, a routine before it.
        for (const char* name : {"Abs", "Round"}) {
            for (const double bad : {std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::quiet_NaN(), 2.5}) {
                check(
                    double_result_is_finite_or_refused(plugin, name, bad),
                    std::string(name) + " refuses a result that is not a finite number");
            }
        }
        check(refused == expected.size(),
              "every routine refuses a declaration with another number of parameters");
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
