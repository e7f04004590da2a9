// Two users of one printer, each on a thread of its own, taking turns at the store's calls: only
// one runs at a time, and before each call a chooser decides whether the other goes on first.
// Tests and fuzz targets replay with it any order in which two writers' calls can reach the
// spooler.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "settings/printer_store.h"

namespace adjustui::testing {

class Turns {
  public:
    // `handOver` is asked before each call of a user while the other still runs.
    explicit Turns(std::function<bool()> handOver) : handOver_(std::move(handOver)) {}

    // Runs both to their end; the first starts.
    void Run(const std::function<void()>& first, const std::function<void()>& second) {
        running_ = 0;
        live_[0] = live_[1] = true;
        std::thread a([&] { Body(0, first); });
        std::thread b([&] { Body(1, second); });
        a.join();
        b.join();
    }

    void Step(int who) {
        std::unique_lock lock(mutex_);
        if (live_[1 - who] && handOver_()) {
            running_ = 1 - who;
            wake_.notify_all();
            wake_.wait(lock, [&] { return running_ == who; });
        }
    }

  private:
    void Body(int who, const std::function<void()>& work) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return running_ == who; });
        }
        work();
        std::lock_guard lock(mutex_);
        live_[who] = false;
        running_ = 1 - who;
        wake_.notify_all();
    }

    std::function<bool()> handOver_;
    std::mutex mutex_;
    std::condition_variable wake_;
    int running_ = 0;
    bool live_[2] = {false, false};
};

// A user's handle: every call waits for its turn first; the handles it opens do too.
class TurnStore final : public PrinterStore {
  public:
    TurnStore(std::unique_ptr<PrinterStore> inner, Turns& turns, int who)
        : inner_(std::move(inner)), turns_(turns), who_(who) {}

    std::uint32_t GetData(const char16_t* name, std::span<std::byte> dest,
                          std::uint32_t& needed) override {
        turns_.Step(who_);
        return inner_->GetData(name, dest, needed);
    }
    std::uint32_t SetData(const char16_t* name, std::uint32_t type,
                          std::span<const std::byte> data) override {
        turns_.Step(who_);
        ++writes;
        return inner_->SetData(name, type, data);
    }
    std::unique_ptr<PrinterStore> OpenForWrite() override {
        turns_.Step(who_);
        auto writer = inner_->OpenForWrite();
        if (!writer)
            return nullptr;
        auto own = std::make_unique<TurnStore>(std::move(writer), turns_, who_);
        own->parent_ = this;
        return own;
    }
    std::optional<std::u16string> DriverName() override { return inner_->DriverName(); }
    std::optional<std::vector<ListedValue>> ListValues() override {
        turns_.Step(who_);
        return inner_->ListValues();
    }
    ~TurnStore() override {
        if (parent_ != nullptr)
            parent_->writes += writes;
    }

    int writes = 0;  // through this handle and the ones it opened

  private:
    std::unique_ptr<PrinterStore> inner_;
    Turns& turns_;
    int who_;
    TurnStore* parent_ = nullptr;
};

}  // namespace adjustui::testing
