// udr_blob.cpp - the BLOB control record over IBlob; see udr_blob.h.
#include "udr_blob.h"

#include <climits>

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

}  // namespace

CallScope::CallScope(Status* s, IExternalContext* context)
    : status(s), master(context->getMaster()) {
    attachment = context->getAttachment(status);
    transaction = context->getTransaction(status);
}

CallScope::~CallScope() {
    if (transaction != nullptr)
        transaction->release();
    if (attachment != nullptr)
        attachment->release();
}

UdrBlob::UdrBlob(CallScope& call, const ISC_QUAD& id, ISC_SHORT null_flag,
                 bool statistics)
    : status_(call.status), master_(call.master), id_(id) {
    record_.get_segment = &get_segment;
    record_.put_segment = &put_segment;
    if (is_null(null_flag)) {
        return;  // a NULL BLOB: no handle, no data
    }
    blob_ = call.attachment->openBlob(status_, call.transaction, &id_, 0, nullptr);
    record_.blob_handle = this;
    if (statistics) {
        read_statistics();
    } else {
        record_.max_seglen = 65535;
    }
}

UdrBlob::UdrBlob(CallScope& call, bool text)
    : status_(call.status), master_(call.master), output_(true) {
    record_.get_segment = &get_segment;
    record_.put_segment = &put_segment;
    // Binary by default; a text BLOB of character set NONE holds the same
    // bytes and reaches SQL as text.
    const unsigned char text_bpb[] = {isc_bpb_version1, isc_bpb_source_type, 1,
                                      isc_blob_text,    isc_bpb_target_type, 1,
                                      isc_blob_text};
    blob_ = call.attachment->createBlob(status_, call.transaction, &id_,
                                        text ? sizeof text_bpb : 0,
                                        text ? text_bpb : nullptr);
    record_.blob_handle = this;
}

UdrBlob::~UdrBlob() {
    if (blob_ == nullptr) {
        return;
    }
    // Left open by an error: drop an output BLOB, let go of an input one.
    IStatus* local = master_->getStatus();
    CheckStatusWrapper quiet(local);
    if (output_) {
        blob_->cancel(&quiet);
    } else {
        blob_->close(&quiet);
    }
    if (quiet.getState() & IStatus::STATE_ERRORS) {
        blob_->release();
    }
    local->dispose();
}

ISC_QUAD UdrBlob::finish() {
    blob_->close(status_);
    blob_ = nullptr;  // a closed BLOB's interface is already released
    return id_;
}

// Count of segments, longest segment and total length, as the legacy
// server fills them in; anything the server leaves out stays 0.
void UdrBlob::read_statistics() {
    const unsigned char items[] = {isc_info_blob_num_segments, isc_info_blob_max_segment,
                                   isc_info_blob_total_length};
    unsigned char buffer[64] = {};
    blob_->getInfo(status_, sizeof items, items, sizeof buffer, buffer);
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
            record_.number_segments = value;
        if (item == isc_info_blob_max_segment)
            record_.max_seglen = value;
        if (item == isc_info_blob_total_length)
            record_.total_size = value;
        at += length;
    }
}

short UdrBlob::get_segment(void* handle, unsigned char* buffer, unsigned short size,
                           unsigned short* length) {
    auto* self = static_cast<UdrBlob*>(handle);
    *length = 0;
    if (self->blob_ == nullptr || self->output_) {
        return 0;
    }
    unsigned got = 0;
    const int result = self->blob_->getSegment(self->status_, size, buffer, &got);
    if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT) {
        return 0;
    }
    if (got > size) {
        raise(self->status_, "BLOB read",
              "the server reported more bytes than were asked for");
    }
    *length = static_cast<unsigned short>(got);
    return 1;
}

void UdrBlob::put_segment(void* handle, const unsigned char* buffer,
                          unsigned short length) {
    auto* self = static_cast<UdrBlob*>(handle);
    if (self->blob_ != nullptr && self->output_) {
        self->blob_->putSegment(self->status_, length, buffer);
    }
}

}  // namespace kovudf_udr
