// A thread that stays alive between calls, so that its apartment lasts while another thread
// looks at the world.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class WorkerThread {
 public:
  WorkerThread() : thread_([this] { Loop(); }) {}
  ~WorkerThread() {
    {
      std::lock_guard<std::mutex> g(lock_);
      stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs `task` on the worker and waits for it.
  template <typename T>
  T Run(std::function<T()> task) {
    T result{};
    RunVoid([&] { result = task(); });
    return result;
  }
  void RunVoid(std::function<void()> task) {
    std::unique_lock<std::mutex> g(lock_);
    task_ = std::move(task);
    wake_.notify_all();
    done_.wait(g, [this] { return !task_; });
  }

 private:
  void Loop() {
    std::unique_lock<std::mutex> g(lock_);
    for (;;) {
      wake_.wait(g, [this] { return stop_ || task_; });
      if (task_) {
        task_();
        task_ = nullptr;
        done_.notify_all();
      } else if (stop_) {
        return;
      }
    }
  }

  std::mutex lock_;
  std::condition_variable wake_, done_;
  std::function<void()> task_;
  bool stop_ = false;
  std::thread thread_;
};
