// call.h - one call of an external routine, as its body sees it: checked
// access to the argument values of the input message, and the result set
// into the output message.
//
// Nothing the server hands over is trusted: a text longer than its field's
// room is an error, and so is a result text too long for its field, a
// double that is not a finite number, or a date the server cannot store.
// A whole number comes and goes in the width it was declared with: a value
// outside what the routine takes, or what the declared result holds, is an
// error naming the function, never a number cut to fit.
#pragma once

#include <ctime>

#include "../date/stamp.h"
#include "../text/encoding.h"
#include "../text/text.h"
#include "message.h"

namespace kovudf_udr {

// What a routine is: its function, its messages as declared and the
// character set it walks its texts in, fixed when the server makes it.
struct RoutineShape {
    const catalog::Function* function;
    unsigned charset;   // the server's number of the set
    Encoding encoding;  // how the texts of that set are walked
    Layout in, out;
    LegacyNulls nulls;  // how a NULL argument is taken
};

// What a routine keeps from one call to the next, all within the one
// attachment it serves: statements it prepared once.
class RoutineMemory {
  public:
    RoutineMemory() = default;
    ~RoutineMemory();
    RoutineMemory(const RoutineMemory&) = delete;
    RoutineMemory& operator=(const RoutineMemory&) = delete;

    Firebird::IStatement* statement = nullptr;
    Firebird::IMessageMetadata* row = nullptr;  // what it returns

    // Where today's date comes from when the caller gives none
    // (date_routines.cpp): not known yet, the process's clock (no session
    // time zone), or the session, asked at every call.
    enum class TodaySource { unknown, process_clock, session };
    TodaySource today_source = TodaySource::unknown;
};

class Call {
  public:
    Call(Status* status, Firebird::IExternalContext* context, const RoutineShape& shape,
         RoutineMemory& memory, unsigned char* in, unsigned char* out)
        : status(status),
          context(context),
          memory(memory),
          shape_(shape),
          in_(in),
          out_(out) {}

    Status* const status;
    Firebird::IExternalContext* const context;
    RoutineMemory& memory;
    const catalog::Function& function() const { return *shape_.function; }
    // The set the routine walks its texts in, and how.
    unsigned charset() const { return shape_.charset; }
    Encoding encoding() const { return shape_.encoding; }
    // The declared result: its type, length, set and sub-type.
    const Field& result() const { return shape_.out.fields[0]; }
    // Argument i as the message holds it (a BLOB: as declared).
    const Field& field(unsigned i) const;

    // Arguments, by position from 0.
    bool is_null(unsigned i) const;
    Text text(unsigned i) const;
    int16_t smallint(unsigned i) const;
    int32_t integer(unsigned i) const;
    double double_value(unsigned i) const;
    DateTime timestamp(unsigned i) const;
    Stamp stamp(unsigned i) const;
    ISC_QUAD blob_id(unsigned i) const;
    // The TODAY the calling statement gave (its CURRENT_DATE), into
    // `today`; false where the routine was declared without one, or the
    // caller gave none.
    bool caller_today(std::tm* today) const;

    // True when an argument whose NULL makes the result NULL is NULL.
    bool null_result() const;
    // The result of a call whose null_result() is true: NULL, or where a
    // legacy declaration with the NULL keyword returned a number, 0.
    void set_null_result();

    // The result.  Every setter but set_null makes the result not NULL.
    void set_null();
    void set_smallint(int16_t value) { set_whole(value); }
    void set_integer(int32_t value) { set_whole(value); }
    void set_double(double value);
    void set_timestamp(const DateTime& value);
    void set_stamp(Stamp value);
    void set_blob(const ISC_QUAD& id);
    void set_text(Text value);
    // Room for a result text of `length` bytes, written by the caller.
    unsigned char* text_room(size_t length);
    // The most bytes a result text may have.
    unsigned text_capacity() const { return shape_.out.fields[0].length; }

    [[noreturn]] void fail(const char* what, ISC_STATUS code = 0) const;
    [[noreturn]] void fail_out_of_memory() const;

  private:
    const Field& argument(unsigned i, bool text) const;
    // Argument i is NULL and taken as the zero value a legacy declaration
    // without the NULL keyword handed its function.
    bool zeroed(unsigned i) const { return shape_.nulls.taken[i] == '0' && is_null(i); }
    // Argument i, a whole number between `least` and `most`.
    int64_t whole(unsigned i, int64_t least, int64_t most, const char* range) const;
    void set_whole(int64_t value);
    template <class T>
    T value(unsigned i) const;
    template <class T>
    void set(const T& value);

    const RoutineShape& shape_;
    unsigned char* const in_;
    unsigned char* const out_;
};

// The body of a routine: reads its arguments (none is NULL but those the
// table lets through) and sets its result.
using RoutineBody = void (*)(Call& call);

}  // namespace kovudf_udr
