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

// Where each field of a message and its null flag lie, laid out as the
// server lays out a message (natural alignment, then a 2-byte null flag).
struct Field {
    unsigned type = 0, length = 0, charset = 0, offset = 0, null_offset = 0;
};

// A message's metadata: what a declaration gives a routine, and what a
// builder gives back once the routine has set its fields' types.
class Message : public IMessageMetadataImpl<Message, CheckStatusWrapper> {
  public:
    explicit Message(std::vector<Field> f) : fields(std::move(f)) {
        unsigned offset = 0, widest = 2;
        for (Field& field : fields) {
            unsigned size = field.length, align = field.length;
            if (field.type == SQL_VARYING) {
                size = field.length + 2;
                align = 2;
            } else if (field.type == SQL_TIMESTAMP || field.type == SQL_BLOB) {
                align = 4;
            }
            align = align == 0 ? 1 : align;
            offset = (offset + align - 1) / align * align;
            field.offset = offset;
            offset += size;
            offset = (offset + 1) / 2 * 2;
            field.null_offset = offset;
            offset += 2;
            widest = align > widest ? align : widest;
        }
        length = (offset + widest - 1) / widest * widest;
    }
    void addRef() override { ++references; }
    int release() override {
        if (--references == 0) {
            delete this;
            return 0;
        }
        return 1;
    }
    unsigned getCount(CheckStatusWrapper*) override {
        return static_cast<unsigned>(fields.size());
    }
    const char* getField(CheckStatusWrapper*, unsigned) override { return ""; }
    const char* getRelation(CheckStatusWrapper*, unsigned) override { return ""; }
    const char* getOwner(CheckStatusWrapper*, unsigned) override { return ""; }
    const char* getAlias(CheckStatusWrapper*, unsigned) override { return ""; }
    unsigned getType(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).type;
    }
    FB_BOOLEAN isNullable(CheckStatusWrapper*, unsigned) override { return FB_TRUE; }
    int getSubType(CheckStatusWrapper*, unsigned) override { return 0; }
    unsigned getLength(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).length;
    }
    int getScale(CheckStatusWrapper*, unsigned) override { return 0; }
    unsigned getCharSet(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).charset;
    }
    unsigned getOffset(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).offset;
    }
    unsigned getNullOffset(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).null_offset;
    }
    IMetadataBuilder* getBuilder(CheckStatusWrapper*) override { return nullptr; }
    unsigned getMessageLength(CheckStatusWrapper*) override { return length; }

    std::vector<Field> fields;
    unsigned length = 0;
    int references = 1;
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
    void setCharSet(CheckStatusWrapper*, unsigned index, unsigned charset) override {
        at(index).charset = charset;
    }
    void setScale(CheckStatusWrapper*, unsigned, int) override {}
    void truncate(CheckStatusWrapper*, unsigned count) override { fields.resize(count); }
    void moveNameToIndex(CheckStatusWrapper*, const char*, unsigned) override {}
    void remove(CheckStatusWrapper*, unsigned) override {}
    unsigned addField(CheckStatusWrapper*) override {
        fields.emplace_back();
        return static_cast<unsigned>(fields.size() - 1);
    }
    IMessageMetadata* getMetadata(CheckStatusWrapper*) override {
        return new Message(fields);
    }

    // The message the routine asked for, laid out.
    Message laid_out() const { return Message(fields); }
    std::vector<Field> fields;

  private:
    Field& at(unsigned index) {
        if (index >= fields.size())
            fields.resize(index + 1);
        return fields[index];
    }
};

// A declaration: `inputs` parameters and a result, texts in `charset`.
class RoutineMetadata : public IRoutineMetadataImpl<RoutineMetadata, CheckStatusWrapper> {
  public:
    RoutineMetadata(unsigned inputs, unsigned charset) {
        Field text;
        text.type = SQL_VARYING;
        text.length = 4;
        text.charset = charset;
        in = new Message(std::vector<Field>(inputs, text));
        out = new Message(std::vector<Field>(1, text));
    }
    ~RoutineMetadata() {
        in->release();
        out->release();
    }
    const char* getPackage(CheckStatusWrapper*) const override { return nullptr; }
    const char* getName(CheckStatusWrapper*) const override { return "stand-in"; }
    const char* getEntryPoint(CheckStatusWrapper*) const override { return "kovudf!"; }
    const char* getBody(CheckStatusWrapper*) const override { return nullptr; }
    IMessageMetadata* getInputMetadata(CheckStatusWrapper*) const override {
        in->addRef();
        return in;
    }
    IMessageMetadata* getOutputMetadata(CheckStatusWrapper*) const override {
        out->addRef();
        return out;
    }
    IMessageMetadata* getTriggerMetadata(CheckStatusWrapper*) const override {
        return nullptr;
    }
    const char* getTriggerTable(CheckStatusWrapper*) const override { return nullptr; }
    unsigned getTriggerType(CheckStatusWrapper*) const override { return 0; }

  private:
    Message* in;
    Message* out;
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
