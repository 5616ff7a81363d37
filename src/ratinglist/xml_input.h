#pragma once
// What both XML readers of the rating-list conversion share: the input file
// and the progress meter.
#include <chrono>
#include <filesystem>

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
    long long Size() const { return size_; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    long long size_ = 0;
};

// Reports progress about ten times a second; throws XmlConversionError
// (Cancelled) when the callback asks to stop.
class ProgressMeter {
public:
    ProgressMeter(const ConversionProgressFn& callback, long long total);
    void Update(long long bytesDone, long long players);
    void Finish(long long players);

private:
    void Report(long long bytesDone, long long players);

    const ConversionProgressFn& callback_;
    long long total_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
};

class XmlPlayerCollector;

// The general reader (expat). Throws XmlConversionError.
void ReadXmlWithExpat(XmlInputFile& input, XmlPlayerCollector& collector, ProgressMeter& meter);
// The quick reader for the plain layout. Returns false, having stopped early,
// when the file holds anything it leaves to expat (including every error).
// A tag or text longer than chunkBytes is left to expat too; tests make the
// chunks small to put their borders everywhere.
bool ReadXmlQuickly(XmlInputFile& input, XmlPlayerCollector& collector, ProgressMeter& meter,
                    std::size_t chunkBytes = std::size_t{1} << 20);

}  // namespace veltrun
