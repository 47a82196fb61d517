// udr_blob.h - a server BLOB (IBlob) behind the BLOB family's control
// record, so the same BLOB routines serve both fronts.
//
// An input BLOB is opened from the id in the message (or stays a NULL BLOB
// when its null flag is set), and its statistics come from the server's
// BLOB information.  An output BLOB is created in the current transaction
// and its id goes into the output message once it is closed.  A BLOB left
// open by an error is cancelled or closed when its owner goes out of scope.
#pragma once

#include "blob/blob_io.h"
#include "udr_support.h"

namespace kovudf_udr {

// The attachment and transaction of one call, taken once and released at
// the end of the call.
class CallScope {
  public:
    CallScope(Status* status, Firebird::IExternalContext* context);
    ~CallScope();
    CallScope(const CallScope&) = delete;
    CallScope& operator=(const CallScope&) = delete;

    Status* const status;
    Firebird::IMaster* const master;
    Firebird::IAttachment* attachment = nullptr;
    Firebird::ITransaction* transaction = nullptr;
};

class UdrBlob {
  public:
    // An input BLOB; `id` is read only when `null_flag` is 0.  Its
    // statistics (count of segments, longest segment, total length) are
    // asked of the server only when `statistics` is set; otherwise the
    // record announces segments of up to 65535 bytes, the largest there are.
    UdrBlob(CallScope& call, const ISC_QUAD& id, ISC_SHORT null_flag,
            bool statistics = false);
    // A new output BLOB (`text`: sub_type TEXT, else binary).
    UdrBlob(CallScope& call, bool text);
    ~UdrBlob();
    UdrBlob(const UdrBlob&) = delete;
    UdrBlob& operator=(const UdrBlob&) = delete;

    BlobControl* record() { return &record_; }
    // Closes an output BLOB and hands back its id.
    ISC_QUAD finish();

  private:
    static short get_segment(void* handle, unsigned char* buffer, unsigned short size,
                             unsigned short* length);
    static void put_segment(void* handle, const unsigned char* buffer,
                            unsigned short length);
    void read_statistics();

    Status* status_;
    Firebird::IMaster* master_;
    Firebird::IBlob* blob_ = nullptr;
    ISC_QUAD id_{};
    bool output_ = false;
    BlobControl record_{};
};

}  // namespace kovudf_udr
