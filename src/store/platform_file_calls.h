#pragma once
// The Linux-specific calls the rating list and the atomic writer use for speed, in one place. Each
// has a plain fallback elsewhere, where it changes nothing but the speed.
#include <cstddef>
#include <string_view>

namespace veltrun {

// Maps the whole file (fd open for reading, size bytes) under a read lease.
// A file cut shorter under a mapping would kill the program on the next read
// of a lost page; the lease makes the kernel tell us of a writer and hold its
// open back, but only for lease-break-time (/proc/sys/fs/lease-break-time,
// 45 s by default), after which the writer goes ahead. A conversion of the
// whole list takes a few seconds, far less. Empty when the lease or the
// mapping cannot be had (a writer has the file open, another file system,
// another system): then the caller reads the file in pieces.
std::string_view MapUnderReadLease(int fd, std::size_t size);
// Unmaps and gives the lease back.
void UnmapAndEndLease(int fd, std::string_view mapping);
// Gives back the pages of the mapping's first bytes, which are read no more.
void ReleaseMappedPages(std::string_view mapping, std::size_t bytes);
// Tells the kernel the file will be read from start to end.
void AdviseSequentialReading(int fd);
// Starts writing the given range of fd to disk without waiting, so that the
// sync at the end has little left to wait for.
void StartWriteBack(int fd, long long offset, long long bytes);

}  // namespace veltrun
