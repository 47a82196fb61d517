// blob_record.h - the server's BLOB control record as the BLOB family's
// segment reader and writer.
//
// get_segment returns nonzero for every segment (or part of one) delivered
// and zero at the end; the buffer a reader asks for is the record's longest
// segment.  A record without a handle is a NULL BLOB.
#pragma once

#include "../blob/blob_stream.h"
#include "host.h"

inline bool blob_is_null(const BlobControl* blob) {
    return blob == nullptr || blob->blob_handle == nullptr;
}

class RecordReader final : public SegmentReader {
  public:
    explicit RecordReader(const BlobControl* record) : record_(record) {}
    uint16_t segment_size() const override {
        return segment_buffer_size(record_->max_seglen);
    }
    bool read(unsigned char* buffer, uint16_t size, uint16_t* length) override {
        unsigned short reported = 0;
        const short result =
            record_->get_segment(record_->blob_handle, buffer, size, &reported);
        *length = result != 0 ? reported : 0;
        return result != 0;
    }

  private:
    const BlobControl* record_;
};

class RecordWriter final : public SegmentWriter {
  public:
    explicit RecordWriter(BlobControl* record) : record_(record) {}
    void write(const unsigned char* bytes, uint16_t length) override {
        record_->put_segment(record_->blob_handle, bytes, length);
    }

  private:
    BlobControl* record_;
};

// The reader of an input record, or null for a NULL BLOB.
class InputBlob {
  public:
    explicit InputBlob(const BlobControl* record) : reader_(record) {
        null_ = blob_is_null(record);
    }
    SegmentReader* get() { return null_ ? nullptr : &reader_; }

  private:
    RecordReader reader_;
    bool null_;
};
