// stand_in_host.cpp - the HostTest fixture and the in-memory BLOB.
#include "stand_in_host.h"

#include <algorithm>
#include <fstream>
#include <iterator>

Bytes bytes_of(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
std::string string_of(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

void write_file(const std::string& name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes read_file(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::tm make_tm(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::string show_tm(const std::tm& t) {
    return std::to_string(int64_t{t.tm_year} + 1900) + "-" +
           std::to_string(t.tm_mon + 1) + "-" + std::to_string(t.tm_mday) + " " +
           std::to_string(t.tm_hour) + ":" + std::to_string(t.tm_min) + ":" +
           std::to_string(t.tm_sec);
}

// On Windows the entries run inside kovudf.dll, whose host_malloc is the
// stand-in ib_util.dll; on Linux the test program installs the stand-in.
void HostTest::SetUp() {
#if !defined(_WIN32)
    saved_ = host_malloc;
    host_malloc = &stand_in_malloc;
#endif
}

void HostTest::TearDown() {
    stand_in_free_all();
#if !defined(_WIN32)
    host_malloc = saved_;
#endif
}
StandInBlob::StandInBlob(std::vector<Bytes> segments) : segments_(std::move(segments)) {
    int32_t longest = 0;
    int32_t total = 0;
    for (const Bytes& s : segments_) {
        longest = std::max<int32_t>(longest, static_cast<int32_t>(s.size()));
        total += static_cast<int32_t>(s.size());
    }
    init_record(static_cast<int32_t>(segments_.size()), longest, total);
}

StandInBlob::StandInBlob(uint64_t total, uint16_t segment,
                         std::function<void(uint64_t, unsigned char*, uint16_t)> fill)
    : generated_total_(total), generated_segment_(segment), fill_(std::move(fill)) {
    init_record(static_cast<int32_t>((total + segment - 1) / segment), segment,
                static_cast<int32_t>(total > INT32_MAX ? INT32_MAX : total));
}

StandInBlob StandInBlob::output() {
    return StandInBlob(std::vector<Bytes>{});
}

BlobControl StandInBlob::null_record() {
    BlobControl record{};
    record.get_segment = nullptr;
    record.put_segment = nullptr;
    return record;
}

void StandInBlob::init_record(int32_t segments, int32_t max_seglen, int32_t total) {
    record_.get_segment = &StandInBlob::get_segment;
    record_.blob_handle = this;
    record_.number_segments = segments;
    record_.max_seglen = max_seglen;
    record_.total_size = total;
    record_.put_segment = &StandInBlob::put_segment;
}

// Like the server: a segment longer than the buffer comes in pieces, each
// reported with a nonzero result; the end is reported as 0 with length 0.
short StandInBlob::get_segment(void* handle, unsigned char* buffer, unsigned short size,
                               unsigned short* length) {
    auto* blob = static_cast<StandInBlob*>(handle);
    ++blob->get_calls_;
    if (blob->on_read) {
        blob->on_read();
    }
    *length = 0;
    if (blob->fill_) {
        if (blob->generated_offset_ >= blob->generated_total_) {
            return 0;
        }
        const uint64_t left = blob->generated_total_ - blob->generated_offset_;
        uint16_t n = blob->generated_segment_;
        if (n > size) {
            n = size;
        }
        if (n > left) {
            n = static_cast<uint16_t>(left);
        }
        blob->fill_(blob->generated_offset_, buffer, n);
        blob->generated_offset_ += n;
        *length = n;
        return 1;
    }
    if (blob->next_ >= blob->segments_.size()) {
        return 0;
    }
    const Bytes& segment = blob->segments_[blob->next_];
    size_t n = segment.size() - blob->delivered_;
    short result = 1;
    if (n > size) {
        n = size;
        result = -1;
    }
    std::copy(segment.begin() + blob->delivered_, segment.begin() + blob->delivered_ + n,
              buffer);
    blob->delivered_ += n;
    if (blob->delivered_ == segment.size()) {
        ++blob->next_;
        blob->delivered_ = 0;
    }
    *length = static_cast<unsigned short>(n);
    return result;
}

void StandInBlob::put_segment(void* handle, const unsigned char* buffer,
                              unsigned short length) {
    auto* blob = static_cast<StandInBlob*>(handle);
    blob->written_total_ += length;
    if (blob->count_only_) {
        return;
    }
    blob->written_.emplace_back(buffer, buffer + length);
}

std::vector<size_t> StandInBlob::written_lengths() const {
    std::vector<size_t> lengths;
    for (const Bytes& s : written_) {
        lengths.push_back(s.size());
    }
    return lengths;
}

Bytes StandInBlob::contents() const {
    Bytes all;
    for (const Bytes& s : written_) {
        all.insert(all.end(), s.begin(), s.end());
    }
    return all;
}
