// blob_stream.h - server BLOBs (IBlob) as the BLOB family's segment reader
// and writer.
//
// Each call of the server's BLOB interface costs far more than the bytes it
// moves (it passes the dispatcher's locks and floating-point guard), so
// these make as few as the data allow: an input BLOB is read in segments of
// up to 65535 bytes with no statistics asked, and closed as soon as it ends;
// an output BLOB gathers what is written into segments of 65535 bytes (the
// last shorter).  An input BLOB is opened from the id in the message; an output
// BLOB is created in the current transaction, as text or binary, and its id
// goes into the output message once it is closed.  A BLOB left open by an
// error is cancelled (output) or closed (input) when its owner goes out of
// scope.
#pragma once

#include "../blob/blob_stream.h"
#include "../platform/scratch.h"
#include "call.h"

namespace kovudf_udr {

// The attachment and transaction of one call, taken once and released at
// the end of the call.
class CallScope {
  public:
    explicit CallScope(Call& call);
    Status* const status;
    Firebird::IMaster* const master;
    const Held<Firebird::IAttachment> attachment;
    const Held<Firebird::ITransaction> transaction;
};

class BlobInput final : public SegmentReader {
  public:
    // The BLOB's stored bytes; a text BLOB of the set numbered `from` is read
    // converted to the set `to` where both are sets of characters.
    BlobInput(CallScope& scope, const ISC_QUAD& id, unsigned from = 0, unsigned to = 0);
    ~BlobInput();
    BlobInput(const BlobInput&) = delete;
    BlobInput& operator=(const BlobInput&) = delete;

    // Segments of up to 65535 bytes, the largest there are: the server is
    // not asked for statistics unless they are wanted.
    uint16_t segment_size() const override { return 65535; }
    bool read(unsigned char* buffer, uint16_t size, uint16_t* length) override;
    // Count of segments, longest segment and total length, as the server
    // reports them; anything it leaves out is 0.
    BlobStats statistics();
    // Closes the BLOB before its end has been read (read() closes it at the
    // end).
    void close();

  private:
    Status* status_;
    Firebird::IMaster* master_;
    ISC_QUAD id_;
    Firebird::IBlob* blob_ = nullptr;
};

class BlobOutput final : public SegmentWriter {
  public:
    // A text BLOB of the set numbered `charset`, written in the set `from`
    // (the server converts), or a binary BLOB.
    BlobOutput(CallScope& scope, bool text, unsigned charset, unsigned from);
    ~BlobOutput();
    BlobOutput(const BlobOutput&) = delete;
    BlobOutput& operator=(const BlobOutput&) = delete;

    void write(const unsigned char* bytes, uint16_t length) override;
    // Writes what is gathered, closes the BLOB and hands back its id.
    ISC_QUAD finish();

  private:
    void flush();

    Status* status_;
    Firebird::IMaster* master_;
    ISC_QUAD id_{};
    Firebird::IBlob* blob_ = nullptr;
    ScratchBuffer gathered_;
    uint32_t count_ = 0;  // bytes gathered, not yet written
    bool whole_writes_ = false;
};

}  // namespace kovudf_udr
