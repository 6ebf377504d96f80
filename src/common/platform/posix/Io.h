#pragma once

#include <cerrno>
#include <cstddef>
#include <unistd.h>

// Whole reads and writes of a descriptor, for the POSIX sources only: interrupted calls are made
// again, a short one goes on, and a write that makes no progress counts as a full disk.
namespace PosixIo {

inline bool writeAll(int fd, const void* data, std::size_t size) {
    const char* at = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

// Reads exactly size bytes; false at an error or at the end before that.
inline bool readAll(int fd, void* data, std::size_t size) {
    char* at = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, at, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        size -= std::size_t(n);
    }
    return true;
}

// Reads what is there up to size bytes: the count, 0 at the end, -1 at an error.
inline ssize_t readSome(int fd, void* data, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        return n;
    }
}

} // namespace PosixIo
