// Converts FIDE's players list on all cores. The file is cut into segments at
// <player> tags; each is converted on its own, and the lines are written in
// file order. Every segment checks its own bytes, and the cuts are checked to
// join up (each segment must start where the one before ended, in the shape it
// assumed), so the result is the one a single pass from the start would give.
#include <string.h>

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ratinglist/player_list_segment.h"
#include "ratinglist/xml_input.h"
#include "store/atomic_file.h"

namespace veltrun {

namespace {

constexpr std::string_view kPlayerTag = "<player>";

struct Segment {
    std::string input;
    std::unique_ptr<char[]> output;  // not cleared: each run writes what it hands on
    std::size_t outputRoom = 0;
    long long start = 0;  // in the file
    long long end = 0;
    SegmentOutcome outcome;
    bool ready = false;
};

// The shape a segment starts in: the first with the declaration, the others at a player tag.
SegmentState StartOf(std::size_t index) {
    return index == 0 ? SegmentState::Prologue : SegmentState::BetweenPlayers;
}

// Position of the first player tag at or after from, npos when there is none.
std::size_t FindCut(std::string_view data, std::size_t from) {
    if (from >= data.size()) return std::string_view::npos;
    const void* at = ::memmem(data.data() + from, data.size() - from, kPlayerTag.data(), kPlayerTag.size());
    return at ? static_cast<std::size_t>(static_cast<const char*>(at) - data.data()) : std::string_view::npos;
}

class SegmentPipeline {
public:
    SegmentPipeline(XmlInputFile& input, std::size_t segmentBytes);
    ~SegmentPipeline();
    SegmentPipeline(const SegmentPipeline&) = delete;
    SegmentPipeline& operator=(const SegmentPipeline&) = delete;

    long long Run(AtomicFile& writer, ProgressMeter& meter);

private:
    void HelperLoop();
    bool ConvertNext(std::unique_lock<std::mutex>& lock);
    void Convert(std::size_t index, Segment& segment);
    std::string_view Bytes(long long offset, std::size_t size, Segment& segment);
    bool Join(std::size_t index, const Segment& segment);

    XmlInputFile& input_;
    const std::size_t segmentBytes_;
    const std::size_t lookahead_;  // how far past its end a segment looks for the next cut
    const long long size_;
    const std::size_t count_;
    const std::string_view mapped_;  // the whole file, when it could be mapped
    std::vector<Segment> slots_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t next_ = 0;     // the next segment to convert
    std::size_t written_ = 0;  // segments written so far
    bool stop_ = false;
    std::exception_ptr failure_;
    std::vector<std::thread> helpers_;

    // Only the thread that writes uses these.
    SegmentState state_ = SegmentState::Prologue;
    long long position_ = 0;
    long long players_ = 0;
    std::string rootOpened_;
    std::string rootClosed_;
};

SegmentPipeline::SegmentPipeline(XmlInputFile& input, std::size_t segmentBytes)
    : input_(input),
      segmentBytes_(std::max<std::size_t>(segmentBytes, 16)),
      lookahead_(std::max<std::size_t>(segmentBytes_ / 16, 4096)),
      size_(input.Size()),
      count_(static_cast<std::size_t>((size_ + static_cast<long long>(segmentBytes_) - 1) /
                                      static_cast<long long>(segmentBytes_))),
      mapped_(input.MapUnderLease()) {
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    unsigned helpers = std::min(cores - 1, 3u);
    slots_.resize(2 * (helpers + 1));
    for (unsigned i = 0; i < helpers; ++i) helpers_.emplace_back([this] { HelperLoop(); });
}

SegmentPipeline::~SegmentPipeline() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (auto& helper : helpers_) helper.join();
}

void SegmentPipeline::HelperLoop() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_)
        if (!ConvertNext(lock)) changed_.wait(lock);
}

// With the lock held: converts the next segment if its slot is free (without
// the lock meanwhile). False when there was none to take.
bool SegmentPipeline::ConvertNext(std::unique_lock<std::mutex>& lock) {
    if (stop_ || next_ >= count_ || next_ >= written_ + slots_.size()) return false;
    std::size_t index = next_++;
    Segment& segment = slots_[index % slots_.size()];
    lock.unlock();
    std::exception_ptr failure;
    try {
        Convert(index, segment);
    } catch (...) {
        failure = std::current_exception();
    }
    lock.lock();
    if (failure && !failure_) failure_ = failure;
    segment.ready = true;
    changed_.notify_all();
    return true;
}

void SegmentPipeline::Convert(std::size_t index, Segment& segment) {
    long long from = static_cast<long long>(index) * static_cast<long long>(segmentBytes_);
    auto wanted = static_cast<std::size_t>(std::min<long long>(size_ - from, segmentBytes_ + lookahead_));
    if (segment.outputRoom < wanted + kSegmentPadding) {
        segment.outputRoom = wanted + kSegmentPadding;
        segment.output = std::make_unique_for_overwrite<char[]>(segment.outputRoom);
    }
    segment.outcome = {};
    std::string_view data = Bytes(from, wanted, segment);
    if (data.size() != wanted) return;  // the file shrank: not ok, expat will say what is wrong
    bool reachesEnd = from + static_cast<long long>(wanted) == size_;
    // Both cuts of a segment are the first player tag at or after its nominal borders.
    auto cut = [&](std::size_t border) {
        std::size_t at = FindCut(data, border);
        return at != std::string_view::npos ? at : reachesEnd ? wanted : std::string_view::npos;
    };
    std::size_t start = index == 0 ? 0 : cut(0);
    std::size_t end = index + 1 == count_ ? wanted : cut(segmentBytes_);
    if (start == std::string_view::npos || end == std::string_view::npos || start > end) return;
    segment.start = from + static_cast<long long>(start);
    segment.end = from + static_cast<long long>(end);
    if (start == end) {
        segment.outcome.ok = true;
        return;
    }
    segment.outcome = ConvertPlayerListSegment(data.substr(start, end - start), StartOf(index), segment.output.get());
}

// The bytes of the file from offset on, followed by the padding the
// converter needs: straight from the mapping where the file goes on long
// enough, else copied into the segment's buffer.
std::string_view SegmentPipeline::Bytes(long long offset, std::size_t size, Segment& segment) {
    if (!mapped_.empty() && offset + static_cast<long long>(size + kSegmentPadding) <= size_)
        return mapped_.substr(static_cast<std::size_t>(offset), size);
    segment.input.resize(size + kSegmentPadding);
    std::size_t got = mapped_.empty() ? input_.ReadAt(offset, segment.input.data(), size)
                                      : mapped_.copy(segment.input.data(), size, static_cast<std::size_t>(offset));
    std::fill(segment.input.begin() + static_cast<std::ptrdiff_t>(got), segment.input.end(), '<');
    return {segment.input.data(), got};
}

// Checks that the segment continues where the one before ended.
bool SegmentPipeline::Join(std::size_t index, const Segment& segment) {
    if (!segment.outcome.ok || segment.start != position_) return false;
    position_ = segment.end;
    if (segment.start == segment.end) return true;
    if (state_ != StartOf(index)) return false;
    state_ = segment.outcome.endState;
    if (index == 0) rootOpened_ = segment.outcome.rootOpened;
    if (state_ == SegmentState::Finished) rootClosed_ = segment.outcome.rootClosed;
    players_ += segment.outcome.players;
    return true;
}

long long SegmentPipeline::Run(AtomicFile& writer, ProgressMeter& meter) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (written_ < count_) {
        if (failure_) std::rethrow_exception(failure_);
        Segment& segment = slots_[written_ % slots_.size()];
        if (!segment.ready) {
            if (!ConvertNext(lock)) changed_.wait(lock);
            continue;
        }
        lock.unlock();
        if (!Join(written_, segment)) return -1;
        meter.AddPlayersCut(segment.outcome.playersCut);
        writer.Write(std::string_view(segment.output.get(), segment.outcome.outputBytes));
        meter.Update(position_, players_);
        // Later segments start after this one's nominal end.
        input_.ReleaseMappedBefore(static_cast<long long>(written_ + 1) * static_cast<long long>(segmentBytes_));
        lock.lock();
        segment.ready = false;
        ++written_;
        changed_.notify_all();
    }
    lock.unlock();
    bool whole = position_ == size_ && state_ == SegmentState::Finished && rootOpened_ == rootClosed_;
    return whole ? players_ : -1;
}

}  // namespace

long long ReadXmlInSegments(XmlInputFile& input, AtomicFile& writer, ProgressMeter& meter,
                            std::size_t segmentBytes) {
    if (input.Size() == 0) return -1;
    long long players = SegmentPipeline(input, segmentBytes).Run(writer, meter);
    input.Unmap();
    return players;
}

}  // namespace veltrun
