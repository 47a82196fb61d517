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

class UdrBlob {
  public:
    // An input BLOB; `id` is read only when `null_flag` is 0.
    UdrBlob(Status* status, Firebird::IExternalContext* context, const ISC_QUAD& id,
            ISC_SHORT null_flag);
    // A new output BLOB (`text`: sub_type TEXT, else binary).
    UdrBlob(Status* status, Firebird::IExternalContext* context, bool text);
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
