#pragma once
// What both XML readers of the rating-list conversion share: the input file
// and the progress meter.
#include <chrono>
#include <filesystem>
#include <string_view>

#include "ratinglist/xml_rating_list.h"

namespace veltrun {

// The XML file, opened read-only. Throws XmlConversionError (Read).
class XmlInputFile {
public:
    explicit XmlInputFile(const std::filesystem::path& path);
    ~XmlInputFile();
    XmlInputFile(const XmlInputFile&) = delete;
    XmlInputFile& operator=(const XmlInputFile&) = delete;

    // Up to size bytes into buffer; 0 at the end of the file.
    std::size_t Read(char* buffer, std::size_t size);
    void Rewind();
    // Up to size bytes from offset on, fewer only at the end of the file; safe
    // to call from several threads at once.
    std::size_t ReadAt(long long offset, char* buffer, std::size_t size);
    long long Size() const { return size_; }

    // The whole file mapped into memory under a read lease, saving a copy of
    // every byte (see MapUnderReadLease for what the lease guarantees). Empty
    // when either cannot be had: then ReadAt it is.
    std::string_view MapUnderLease();
    // Gives back the mapped pages before offset, which are read no more, so
    // that the memory in use stays that of the pieces being converted.
    void ReleaseMappedBefore(long long offset);
    void Unmap();

private:
    std::filesystem::path path_;
    int fd_ = -1;
    long long size_ = 0;
    std::string_view mapping_;
    std::size_t releasedBytes_ = 0;
};

// Reports progress about ten times a second; throws XmlConversionError
// (Cancelled) when the callback asks to stop.
class ProgressMeter {
public:
    ProgressMeter(const ConversionProgressFn& callback, long long total);
    void Update(long long bytesDone, long long players);
    void Finish(long long players);
    // Players written with a field cut to its longest length (segments report them here).
    void AddPlayersCut(long long players) { playersCut_ += players; }
    long long PlayersCut() const { return playersCut_; }

private:
    void Report(long long bytesDone, long long players);

    const ConversionProgressFn& callback_;
    long long total_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
    long long playersCut_ = 0;
};

class XmlPlayerCollector;

// The general reader (expat). Throws XmlConversionError.
void ReadXmlWithExpat(XmlInputFile& input, XmlPlayerCollector& collector, ProgressMeter& meter);

class AtomicFile;

// The reader for FIDE's own plain shape, on all cores: converts the file in
// segments of segmentBytes side by side, writing the lines in order. Returns
// the number of players, or -1 when the file has anything outside that shape
// (including every error); the writer then holds lines to be thrown away.
long long ReadXmlInSegments(XmlInputFile& input, AtomicFile& writer, ProgressMeter& meter,
                            std::size_t segmentBytes);

}  // namespace veltrun
