// udr_stand_ins.h - the parts of the server's UDR engine that the tests put
// in its place: a status, a plugin that records what a module registers, a
// metadata builder that records the message a routine asks for (and works
// out that message's layout), and a call context without a database.
#pragma once

#include <firebird/Interface.h>

#include <map>
#include <string>
#include <vector>

namespace udr_stand_ins {

using namespace Firebird;

class Status : public IStatusImpl<Status, CheckStatusWrapper> {
  public:
    // Keeps only the first error code, which is all the tests look at.
    void dispose() override {}
    void init() override { errors_[1] = 0; }
    unsigned getState() const override { return errors_[1] != 0 ? STATE_ERRORS : 0; }
    void setErrors2(unsigned length, const intptr_t* value) override {
        errors_[1] = length >= 2 ? value[1] : 0;
    }
    void setWarnings2(unsigned, const intptr_t*) override {}
    void setErrors(const intptr_t* value) override {
        errors_[1] = value[0] == isc_arg_gds ? value[1] : 0;
    }
    void setWarnings(const intptr_t*) override {}
    const intptr_t* getErrors() const override { return errors_; }
    const intptr_t* getWarnings() const override { return none_; }
    IStatus* clone() const override { return const_cast<Status*>(this); }

  private:
    intptr_t errors_[3] = {isc_arg_gds, 0, isc_arg_end};
    const intptr_t none_[3] = {isc_arg_gds, 0, isc_arg_end};
};

class Plugin : public IUdrPluginImpl<Plugin, CheckStatusWrapper> {
  public:
    IMaster* getMaster() override { return nullptr; }
    void registerFunction(CheckStatusWrapper*, const char* name,
                          IUdrFunctionFactory* factory) override {
        names.push_back(name);
        functions[name] = factory;
    }
    void registerProcedure(CheckStatusWrapper*, const char* name,
                           IUdrProcedureFactory*) override {
        others.push_back(name);
    }
    void registerTrigger(CheckStatusWrapper*, const char* name,
                         IUdrTriggerFactory*) override {
        others.push_back(name);
    }
    std::vector<std::string> names, others;
    std::map<std::string, IUdrFunctionFactory*> functions;
};

// Where each field of a message and its null flag lie, as the routine's
// message structure lays them out (natural C alignment).
struct Field {
    unsigned type = 0, length = 0, offset = 0, null_offset = 0;
};

class MetadataBuilder : public IMetadataBuilderImpl<MetadataBuilder, CheckStatusWrapper> {
  public:
    void addRef() override {}
    int release() override { return 1; }
    void setType(CheckStatusWrapper*, unsigned index, unsigned type) override {
        at(index).type = type;
    }
    void setSubType(CheckStatusWrapper*, unsigned, int) override {}
    void setLength(CheckStatusWrapper*, unsigned index, unsigned length) override {
        at(index).length = length;
    }
    void setCharSet(CheckStatusWrapper*, unsigned, unsigned) override {}
    void setScale(CheckStatusWrapper*, unsigned, int) override {}
    void truncate(CheckStatusWrapper*, unsigned count) override { fields.resize(count); }
    void moveNameToIndex(CheckStatusWrapper*, const char*, unsigned) override {}
    void remove(CheckStatusWrapper*, unsigned) override {}
    unsigned addField(CheckStatusWrapper*) override {
        fields.emplace_back();
        return static_cast<unsigned>(fields.size() - 1);
    }
    IMessageMetadata* getMetadata(CheckStatusWrapper*) override { return nullptr; }

    // Lays the fields out; returns the message's size.
    unsigned layout() {
        unsigned offset = 0, widest = 2;
        for (Field& f : fields) {
            unsigned size = f.length, align = f.length;
            if (f.type == SQL_VARYING) {
                size = f.length + 2;
                align = 2;
            } else if (f.type == SQL_TIMESTAMP || f.type == SQL_BLOB) {
                align = 4;
            }
            offset = (offset + align - 1) / align * align;
            f.offset = offset;
            offset += size;
            offset = (offset + 1) / 2 * 2;
            f.null_offset = offset;
            offset += 2;
            widest = align > widest ? align : widest;
        }
        return (offset + widest - 1) / widest * widest;
    }
    std::vector<Field> fields;

  private:
    Field& at(unsigned index) {
        if (index >= fields.size())
            fields.resize(index + 1);
        return fields[index];
    }
};

// A call context with no database behind it: routines that read or write
// BLOBs cannot run in it.
class Context : public IExternalContextImpl<Context, CheckStatusWrapper> {
  public:
    IMaster* getMaster() override { return nullptr; }
    IExternalEngine* getEngine(CheckStatusWrapper*) override { return nullptr; }
    IAttachment* getAttachment(CheckStatusWrapper*) override { return nullptr; }
    ITransaction* getTransaction(CheckStatusWrapper*) override { return nullptr; }
    const char* getUserName() override { return "SYSDBA"; }
    const char* getDatabaseName() override { return "stand-in"; }
    const char* getClientCharSet() override { return "NONE"; }
    int obtainInfoCode() override { return 0; }
    void* getInfo(int) override { return nullptr; }
    void* setInfo(int, void*) override { return nullptr; }
};

}  // namespace udr_stand_ins
