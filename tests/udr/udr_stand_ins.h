// udr_stand_ins.h - the parts of the server's UDR engine that the tests put
// in its place: a status, a plugin that records what a module registers,
// message metadata and builders that lay a message out roughly as the
// server does, a declaration (by hand, or as the project's scripts make
// it), and a call context without a database.
#pragma once

#include <firebird/Interface.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace udr_stand_ins {

using namespace Firebird;

class Status : public IStatusImpl<Status, CheckStatusWrapper> {
  public:
    // Keeps the errors, with copies of their texts; no warnings.
    void dispose() override {}
    void init() override { setErrors(none_); }
    unsigned getState() const override { return failed() ? STATE_ERRORS : 0; }
    void setErrors2(unsigned, const intptr_t* value) override { setErrors(value); }
    void setWarnings2(unsigned, const intptr_t*) override {}
    void setErrors(const intptr_t* value) override {
        std::vector<intptr_t> items;
        std::vector<std::string> texts;
        for (const intptr_t* v = value; *v != isc_arg_end; v += 2) {
            items.insert(items.end(), {v[0], v[1]});
            if (*v == isc_arg_string) {
                texts.emplace_back(reinterpret_cast<const char*>(v[1]));
            }
        }
        items.push_back(isc_arg_end);
        texts_ = std::move(texts);
        for (size_t i = 0, t = 0; items[i] != isc_arg_end; i += 2) {
            if (items[i] == isc_arg_string) {
                items[i + 1] = reinterpret_cast<intptr_t>(texts_[t++].c_str());
            }
        }
        errors_ = std::move(items);
        text = texts_.empty() ? std::string() : texts_.front();
    }
    void setWarnings(const intptr_t*) override {}
    const intptr_t* getErrors() const override { return errors_.data(); }
    const intptr_t* getWarnings() const override { return none_; }
    IStatus* clone() const override { return const_cast<Status*>(this); }

    bool failed() const { return errors_.size() > 2 && errors_[1] != 0; }
    std::string text;  // the first text of the errors

  private:
    static constexpr intptr_t none_[3] = {isc_arg_gds, 0, isc_arg_end};
    std::vector<intptr_t> errors_{isc_arg_gds, 0, isc_arg_end};
    std::vector<std::string> texts_;
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

// A field of a message: its type, and where it and its null flag lie.
struct Field {
    unsigned type = 0, length = 0, charset = 0;
    int scale = 0, sub_type = 0;
    unsigned offset = 0, null_offset = 0;
};

// A declared parameter: TYPE, its length in bytes, set, scale, sub-type.
inline Field field(unsigned type, unsigned length = 0, unsigned charset = 0,
                   int scale = 0, int sub_type = 0) {
    Field f;
    f.type = type;
    f.length = length;
    f.charset = charset;
    f.scale = scale;
    f.sub_type = sub_type;
    return f;
}

// How a value of `type` is aligned in a message.
inline unsigned alignment_of(unsigned type, unsigned length) {
    switch (type) {
        case SQL_VARYING:
        case SQL_SHORT:
            return 2;
        case SQL_TEXT:
        case SQL_BOOLEAN:
            return 1;
        case SQL_DOUBLE:
        case SQL_INT64:
            return 8;
        default:
            return length >= 4 ? 4 : (length == 0 ? 1 : length);
    }
}

class MetadataBuilder;

// A message's metadata, laid out as the server lays out a message: each
// value at its alignment, then a 2-byte null flag.
class Message : public IMessageMetadataImpl<Message, CheckStatusWrapper> {
  public:
    explicit Message(std::vector<Field> f) : fields(std::move(f)) {
        unsigned offset = 0;
        for (Field& field : fields) {
            const unsigned size =
                field.type == SQL_VARYING ? field.length + 2 : field.length;
            const unsigned align = alignment_of(field.type, field.length);
            offset = (offset + align - 1) / align * align;
            field.offset = offset;
            offset = (offset + size + 1) / 2 * 2;
            field.null_offset = offset;
            offset += 2;
        }
        length = (offset + 7) / 8 * 8;
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
    int getSubType(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).sub_type;
    }
    unsigned getLength(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).length;
    }
    int getScale(CheckStatusWrapper*, unsigned i) override { return fields.at(i).scale; }
    unsigned getCharSet(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).charset;
    }
    unsigned getOffset(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).offset;
    }
    unsigned getNullOffset(CheckStatusWrapper*, unsigned i) override {
        return fields.at(i).null_offset;
    }
    IMetadataBuilder* getBuilder(CheckStatusWrapper*) override;
    unsigned getMessageLength(CheckStatusWrapper*) override { return length; }

    std::vector<Field> fields;
    unsigned length = 0;
    int references = 1;
};

// A builder starts from a message's fields, as the server's does; one made
// by getBuilder goes when released, one on the stack with its scope.
class MetadataBuilder : public IMetadataBuilderImpl<MetadataBuilder, CheckStatusWrapper> {
  public:
    explicit MetadataBuilder(std::vector<Field> f = {}, bool counted = false)
        : fields(std::move(f)), counted_(counted) {}
    void addRef() override { ++references_; }
    int release() override {
        if (counted_ && --references_ == 0) {
            delete this;
            return 0;
        }
        return 1;
    }
    void setType(CheckStatusWrapper*, unsigned index, unsigned type) override {
        at(index).type = type;
    }
    void setSubType(CheckStatusWrapper*, unsigned index, int sub_type) override {
        at(index).sub_type = sub_type;
    }
    void setLength(CheckStatusWrapper*, unsigned index, unsigned length) override {
        at(index).length = length;
    }
    void setCharSet(CheckStatusWrapper*, unsigned index, unsigned charset) override {
        at(index).charset = charset;
    }
    void setScale(CheckStatusWrapper*, unsigned index, int scale) override {
        at(index).scale = scale;
    }
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
    bool counted_;
    int references_ = 1;
};

inline IMetadataBuilder* Message::getBuilder(CheckStatusWrapper*) {
    return new MetadataBuilder(fields, true);
}

// A declaration: the parameters and the result, as fields.
class RoutineMetadata : public IRoutineMetadataImpl<RoutineMetadata, CheckStatusWrapper> {
  public:
    RoutineMetadata(std::vector<Field> inputs, std::vector<Field> outputs)
        : in(new Message(std::move(inputs))), out(new Message(std::move(outputs))) {}
    ~RoutineMetadata() {
        in->release();
        out->release();
    }
    RoutineMetadata(const RoutineMetadata&) = delete;
    RoutineMetadata& operator=(const RoutineMetadata&) = delete;
    const char* getPackage(CheckStatusWrapper*) const override { return nullptr; }
    const char* getName(CheckStatusWrapper*) const override { return "STAND_IN"; }
    const char* getEntryPoint(CheckStatusWrapper*) const override {
        return entry_point.c_str();
    }
    std::string entry_point = "kovudf!";  // the external name
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

    // Builders made from the declaration, as the server hands them to setup.
    MetadataBuilder in_builder() const { return MetadataBuilder(in->fields); }
    MetadataBuilder out_builder() const { return MetadataBuilder(out->fields); }

    Message* in;
    Message* out;
};

// A parameter or result of `kind` as the project's scripts type it for
// `set`; a text as long as its budget in bytes.
inline Field declared_field(const catalog::Function& f, catalog::Kind kind,
                            unsigned bytes, const catalog::CharacterSet& set) {
    using catalog::Kind;
    const catalog::CharacterSet& texts = catalog::text_charset(f, set);
    switch (kind) {
        case Kind::cstring:
        case Kind::varchar:
            return field(SQL_VARYING, bytes, texts.id);
        case Kind::smallint:
            return field(SQL_SHORT, 2);
        case Kind::integer:
            return field(SQL_LONG, 4);
        case Kind::double_precision:
            return field(SQL_DOUBLE, 8);
        case Kind::timestamp:
            return field(SQL_TIMESTAMP, 8);
        case Kind::blob:
        case Kind::blob_binary:
            return field(SQL_BLOB, 8);
        case Kind::blob_text:
            return field(SQL_BLOB, 8, texts.id, 0, isc_blob_text);
    }
    return field(0);
}

// The declaration of the project's scripts for `set`; `extra` parameters
// more than the function takes, to try a misfit.
inline std::unique_ptr<RoutineMetadata> declaration_of(const catalog::Function& f,
                                                       const catalog::CharacterSet& set,
                                                       unsigned extra = 0) {
    std::vector<Field> in;
    for (unsigned i = 0; i < f.argument_count; ++i) {
        in.push_back(declared_field(f, f.arguments[i].kind, f.arguments[i].bytes, set));
    }
    for (unsigned i = 0; i < extra; ++i) {
        in.push_back(field(SQL_LONG, 4));
    }
    return std::make_unique<RoutineMetadata>(
        in, std::vector<Field>{declared_field(f, f.result.kind, f.result.bytes, set)});
}

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
