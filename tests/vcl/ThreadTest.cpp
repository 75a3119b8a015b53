#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>

#include "TThread.h"

namespace {

// Counts its rounds and parks after each one.
class ParkingThread : public TThread {
 public:
  std::atomic<int> rounds{0};

 protected:
  void Execute() override {
    while (!Terminated()) {
      ++rounds;
      Suspend();
    }
  }
};

bool WaitUntil(const std::function<bool()>& condition) {
  for (int i = 0; i < 500 && !condition(); ++i) Sleep(5);
  return condition();
}

}  // namespace

TEST(Thread, ResumeWakesAParkedThreadAndDestructorEndsIt) {
  auto* thread = new ParkingThread;
  EXPECT_EQ(thread->rounds, 0) << "created suspended";
  thread->Resume();
  ASSERT_TRUE(WaitUntil([&] { return thread->rounds == 1; }));
  for (int i = 2; i <= 50; ++i) {
    ASSERT_TRUE(WaitUntil([&] {
      thread->Resume();  // lost while the thread is still running its round, so retried
      return thread->rounds >= i;
    }));
  }
  delete thread;  // parked: woken, ended and joined, or this hangs
}

TEST(Thread, NeverStartedThreadIsDestroyedWithoutRunning) {
  auto* thread = new ParkingThread;
  delete thread;
}

TEST(Thread, FreeOnTerminateDeletesItselfAndExceptionsStayInside) {
  static std::atomic<bool> deleted{false};
  class Throwing : public TThread {
   public:
    ~Throwing() override { deleted = true; }

   protected:
    void Execute() override { throw std::runtime_error("boom"); }
  };
  auto* thread = new Throwing;
  thread->FreeOnTerminate = true;
  thread->Resume();
  EXPECT_TRUE(WaitUntil([] { return deleted.load(); }));
}
