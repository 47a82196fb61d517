// blob_stream.cpp - server BLOBs through IBlob; see blob_stream.h.
#include "blob_stream.h"

#include <climits>
#include <cstring>
#include <new>

using namespace Firebird;

namespace kovudf_udr {

namespace {

// A little-endian integer of `length` bytes from an information buffer.
int64_t info_integer(const unsigned char* p, unsigned length) {
    uint64_t value = 0;
    for (unsigned i = 0; i < length && i < 8; ++i) {
        value |= uint64_t{p[i]} << (8 * i);
    }
    if (length > 0 && length < 8 && (p[length - 1] & 0x80) != 0) {
        value |= ~uint64_t{0} << (8 * length);  // sign extension
    }
    return static_cast<int64_t>(value);
}

int32_t clamp32(int64_t v) {
    return v > INT32_MAX ? INT32_MAX
                         : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

// Lets go of a BLOB left open by an error, without raising another.
void let_go(IMaster* master, IBlob* blob, bool output) {
    IStatus* local = master->getStatus();
    CheckStatusWrapper quiet(local);
    if (output) {
        blob->cancel(&quiet);
    } else {
        blob->close(&quiet);
    }
    if (quiet.getState() & IStatus::STATE_ERRORS) {
        blob->release();
    }
    local->dispose();
}

}  // namespace

CallScope::CallScope(Call& call)
    : status(call.status),
      master(call.context->getMaster()),
      attachment(call.context->getAttachment(call.status)),
      transaction(call.context->getTransaction(call.status)) {
    if (master == nullptr || attachment.get() == nullptr ||
        transaction.get() == nullptr) {
        call.fail("the server gave the call no attachment or transaction");
    }
}

namespace {

// Whether text of the set `from` in a BLOB of the set `to` is converted
// while it is read or written: not where the sets agree, nor where one of
// them is bytes (NONE, OCTETS), whose bytes no conversion would change.
bool converts(unsigned from, unsigned to) {
    const auto bytes = [](unsigned set) {
        return set == catalog::charset_none.id || set == catalog::charset_octets.id;
    };
    return (from & 0xFF) != (to & 0xFF) && !bytes(from & 0xFF) && !bytes(to & 0xFF);
}

// The parameter block of a text BLOB of the set `to` holding text of the set
// `from`.
struct TextBpb {
    TextBpb(unsigned from, unsigned to)
        : bpb{isc_bpb_version1,
              isc_bpb_source_type,
              1,
              isc_blob_text,
              isc_bpb_target_type,
              1,
              isc_blob_text,
              isc_bpb_source_interp,
              1,
              static_cast<unsigned char>(from),
              isc_bpb_target_interp,
              1,
              static_cast<unsigned char>(to)} {}
    unsigned char bpb[13];
};

}  // namespace

BlobInput::BlobInput(CallScope& scope, const ISC_QUAD& id, unsigned from, unsigned to)
    : status_(scope.status), master_(scope.master), id_(id) {
    const TextBpb converting(from, to);
    blob_ = scope.attachment->openBlob(status_, scope.transaction.get(), &id_,
                                       converts(from, to) ? sizeof converting.bpb : 0,
                                       converting.bpb);
}

BlobInput::~BlobInput() {
    if (blob_ != nullptr) {
        let_go(master_, blob_, false);
    }
}

bool BlobInput::read(unsigned char* buffer, uint16_t size, uint16_t* length) {
    *length = 0;
    if (blob_ == nullptr) {
        return false;
    }
    unsigned got = 0;
    const int result = blob_->getSegment(status_, size, buffer, &got);
    if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT) {
        close();
        return false;
    }
    if (got > size) {
        ISC_STATUS error[] = {
            isc_arg_gds, isc_random, isc_arg_string,
            reinterpret_cast<ISC_STATUS>(
                "BLOB read: the server reported more bytes than were asked for"),
            isc_arg_end};
        throw FbException(status_, error);
    }
    *length = static_cast<uint16_t>(got);
    return true;
}

void BlobInput::close() {
    if (blob_ != nullptr) {
        Firebird::IBlob* const blob = blob_;
        blob_ = nullptr;
        blob->close(status_);  // a closed BLOB's interface is already released
    }
}

BlobStats BlobInput::statistics() {
    const unsigned char items[] = {isc_info_blob_num_segments, isc_info_blob_max_segment,
                                   isc_info_blob_total_length};
    unsigned char buffer[64] = {};
    blob_->getInfo(status_, sizeof items, items, sizeof buffer, buffer);
    BlobStats stats{0, 0, 0};
    size_t at = 0;
    while (at + 3 <= sizeof buffer && buffer[at] != isc_info_end) {
        const unsigned char item = buffer[at];
        const unsigned length = buffer[at + 1] | (buffer[at + 2] << 8);
        at += 3;
        if (at + length > sizeof buffer) {
            break;
        }
        const int32_t value = clamp32(info_integer(buffer + at, length));
        if (item == isc_info_blob_num_segments)
            stats.segments = value;
        if (item == isc_info_blob_max_segment)
            stats.longest_segment = value;
        if (item == isc_info_blob_total_length)
            stats.total_size = value;
        at += length;
    }
    return stats;
}

BlobOutput::BlobOutput(CallScope& scope, bool text, unsigned charset, unsigned from)
    : status_(scope.status), master_(scope.master), gathered_(65535) {
    if (!gathered_) {
        throw std::bad_alloc();  // before the BLOB is made
    }
    // Binary by default; a text BLOB says its set on both sides, so the
    // server converts what is written in `from` to it.  NONE names no set:
    // the parameter block ends before the sets.
    whole_writes_ = text && converts(from, charset);
    const TextBpb bpb(whole_writes_ ? from : charset, charset);
    constexpr unsigned without_interp = 7;
    const unsigned length = !text ? 0
                            : (charset & 0xFF) == catalog::charset_none.id
                                ? without_interp
                                : sizeof bpb.bpb;
    blob_ = scope.attachment->createBlob(status_, scope.transaction.get(), &id_, length,
                                         text ? bpb.bpb : nullptr);
}

BlobOutput::~BlobOutput() {
    if (blob_ != nullptr) {
        let_go(master_, blob_, true);
    }
}

// Segments are filled to 65535 bytes, a write split across two if need be;
// where the server converts the text, a write stays whole in one segment, so
// that no segment ends inside a character.
void BlobOutput::write(const unsigned char* bytes, uint16_t length) {
    if (whole_writes_ && count_ + length > 65535) {
        flush();
    }
    while (length > 0) {
        const uint16_t room = static_cast<uint16_t>(65535 - count_);
        const uint16_t part = length < room ? length : room;
        std::memcpy(gathered_.get() + count_, bytes, part);
        count_ += part;
        bytes += part;
        length = static_cast<uint16_t>(length - part);
        if (count_ == 65535) {
            flush();
        }
    }
}

void BlobOutput::flush() {
    if (count_ > 0) {
        blob_->putSegment(status_, count_, gathered_.get());
        count_ = 0;
    }
}

ISC_QUAD BlobOutput::finish() {
    flush();
    blob_->close(status_);
    blob_ = nullptr;  // a closed BLOB's interface is already released
    return id_;
}

}  // namespace kovudf_udr
