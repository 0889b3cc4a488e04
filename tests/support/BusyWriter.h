// A program writing a file while the tests copy it: one write over and over, on a thread of
// its own with a stream of its own, until stopped.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

class BusyWriter {
  public:
    using Step = std::function<void(std::fstream&)>;
    BusyWriter(const std::string& path, Step step) : path_(path), step_(std::move(step)) {}
    ~BusyWriter() { Stop(); }

    // Starts writing and returns once the first write is in the file.
    void Start() {
        thread_ = std::thread([this] {
            std::fstream out(std::filesystem::path(path_),
                             std::ios::in | std::ios::out | std::ios::binary);
            while (!stop_) {
                step_(out);
                out.flush();
                ++writes_;
            }
        });
        while (writes_ == 0)
            std::this_thread::yield();
    }
    void Stop() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
    }

  private:
    std::string path_;
    Step step_;
    std::atomic<bool> stop_{false};
    std::atomic<long> writes_{0};
    std::thread thread_;
};
