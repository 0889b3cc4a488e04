// A program waiting to write into a named pipe (POSIX): its open returns only once a reader
// opens the pipe, which is what opening the pipe for a copy would do.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

class WaitingWriter {
  public:
    explicit WaitingWriter(const std::filesystem::path& pipe) : pipe_(pipe) {
        EXPECT_EQ(::mkfifo(pipe.c_str(), 0600), 0) << std::strerror(errno);
        thread_ = std::thread([this] {
            const int fd = ::open(pipe_.c_str(), O_WRONLY | O_CLOEXEC);
            released_ = true;
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~WaitingWriter() {
        // Lets the writer go by opening the pipe's other end.
        const int fd = ::open(pipe_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        thread_.join();
        if (fd >= 0)
            ::close(fd);
    }
    bool Released() const { return released_; }

  private:
    std::filesystem::path pipe_;
    std::atomic<bool> released_{false};
    std::thread thread_;
};
