// fuzz_udr.cpp - the external routines' message decoding.  Every routine
// that needs no database (all but the BLOB and file ones), declared with
// NONE, SJIS_0208 and UTF8 texts, is set up and called as the UDR engine
// would: its input message, laid out as the routine declares it and
// exactly that large, is filled with the fuzzer's bytes (lengths, null
// flags and values alike).  A routine must either fail
// with an error or give an output whose null flags are 0 or 1, whose text
// lengths lie within their declared sizes and whose doubles are finite;
// nothing may be read or written outside the two messages.
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "fuzz_support.h"
#include "udr/udr_stand_ins.h"

extern "C" FB_BOOLEAN* firebird_udr_plugin(Firebird::IStatus*, FB_BOOLEAN*,
                                           Firebird::IUdrPlugin*);

namespace {

using namespace udr_stand_ins;

struct Routine {
    std::string name;
    IUdrFunctionFactory* factory;
    std::unique_ptr<RoutineMetadata> declared;
    MetadataBuilder in, out;
    unsigned in_size = 0, out_size = 0;
};

// Every routine the module registers that can run without a database.
std::vector<std::unique_ptr<Routine>>& routines() {
    static std::vector<std::unique_ptr<Routine>> list = [] {
        std::vector<std::unique_ptr<Routine>> found;
        Status status;
        Plugin plugin;
        FB_BOOLEAN unloaded = FB_FALSE;
        firebird_udr_plugin(&status, &unloaded, &plugin);
        CheckStatusWrapper wrapper(&status);
        Context context;
        for (const auto& entry : plugin.functions) {
            const std::string& name = entry.first;
            if (name.find("Blob") != std::string::npos) {
                continue;  // BlobInfo, BlobCat, StrToBlob, FileToBlob, ...
            }
            for (const catalog::CharacterSet* set : catalog::declared_charsets) {
                auto r = std::make_unique<Routine>();
                r->name = name;
                r->factory = entry.second;
                r->declared = std::make_unique<RoutineMetadata>(
                    catalog::find(name.c_str())->argument_count, set->id);
                r->factory->setup(&wrapper, &context, r->declared.get(), &r->in, &r->out);
                FUZZ_CHECK(!(status.getState() & IStatus::STATE_ERRORS));
                r->in_size = r->in.laid_out().length;
                r->out_size = r->out.laid_out().length;
                found.push_back(std::move(r));
            }
        }
        return found;
    }();
    return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& list = routines();
    FuzzInput input(data, size);
    Routine& r = *list[input.take<uint8_t>() % list.size()];
    Bytes in = input.take_bytes(r.in_size);
    in.resize(r.in_size);  // exactly the declared message, nothing after it
    Bytes out(r.out_size, 0xA5);

    Status status;
    CheckStatusWrapper wrapper(&status);
    Context context;
    IExternalFunction* function =
        r.factory->newItem(&wrapper, &context, r.declared.get());
    FUZZ_CHECK(function != nullptr && !(status.getState() & IStatus::STATE_ERRORS));
    function->execute(&wrapper, &context, in.data(), out.data());
    if (!(status.getState() & IStatus::STATE_ERRORS)) {
        for (const Field& f : r.out.laid_out().fields) {
            int16_t flag;
            std::memcpy(&flag, out.data() + f.null_offset, sizeof flag);
            FUZZ_CHECK(flag == 0 || flag == 1);
            if (flag == 0 && f.type == SQL_DOUBLE) {
                double value;
                std::memcpy(&value, out.data() + f.offset, sizeof value);
                FUZZ_CHECK(std::isfinite(value));
            }
            if (flag == 0 && f.type == SQL_VARYING) {
                uint16_t length;
                std::memcpy(&length, out.data() + f.offset, sizeof length);
                FUZZ_CHECK(length <= f.length);
            }
        }
    }
    function->dispose();
    return 0;
}
