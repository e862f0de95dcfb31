// RuntimeNotify: memory requests, IdleWatchList, forwarding to the host.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "runtime/heap.h"
#include "runtime/runtime.h"
#include "runtime/runtime_app.h"

namespace {

// Restores the window host that was installed before the test.
class HostScope {
 public:
  explicit HostScope(const WindowHost* host) : saved_(RtWindowHost()) { RtSetWindowHost(host); }
  ~HostScope() { RtSetWindowHost(saved_); }
  HostScope(const HostScope&) = delete;
  HostScope& operator=(const HostScope&) = delete;

 private:
  const WindowHost* saved_;
};

TEST(RuntimeNotify, UnknownCodesAnswerZero) {
  HostScope scope(nullptr);
  for (int code : {0, 999, 1001, 1500, 2007, 2008, 2029, 2041, 99999, -1})
    EXPECT_EQ(RuntimeNotify(code, 123, 456), 0) << code;
}

std::vector<int> g_forwarded;
intptr_t RecordingNotify(int code, intptr_t p1, intptr_t p2) {
  g_forwarded.push_back(code);
  return code == kNotifyResolveUnitMandatory ? p1 + p2 : 0;
}

TEST(RuntimeNotify, FrameworkCodesReachTheHostAndOwnCodesDoNot) {
  WindowHost host{};
  host.notify = RecordingNotify;
  HostScope scope(&host);
  g_forwarded.clear();
  EXPECT_EQ(RuntimeNotify(kNotifyResolveUnitMandatory, 40, 2), 42);
  RuntimeNotify(kNotifyDestroyed, 1, 0);
  void* block = reinterpret_cast<void*>(RuntimeNotify(kNotifyAlloc, 16, 0));
  RuntimeNotify(kNotifyFree, reinterpret_cast<intptr_t>(block), 0);
  EXPECT_EQ(g_forwarded, (std::vector<int>{kNotifyResolveUnitMandatory, kNotifyDestroyed}));
}

TEST(RuntimeNotify, AllocationWithFlagAnswersNullInsteadOfReporting) {
  // Returning at all proves no fatal report was raised: it never returns.
  EXPECT_EQ(RuntimeNotify(kNotifyAlloc, static_cast<intptr_t>(0xFFFFFFF0u), 1), 0);
  EXPECT_EQ(RuntimeNotify(kNotifyAlloc, static_cast<intptr_t>(0x80000000u), 1), 0);
  auto small = reinterpret_cast<char*>(RuntimeNotify(kNotifyAlloc, 8, 1));
  ASSERT_NE(small, nullptr);
  RuntimeNotify(kNotifyFree, reinterpret_cast<intptr_t>(small), 0);
}

TEST(RuntimeNotify, ReallocKeepsTheContents) {
  auto p = reinterpret_cast<char*>(RuntimeNotify(kNotifyAlloc, 6, 0));
  memcpy(p, "hello", 6);
  p = reinterpret_cast<char*>(RuntimeNotify(kNotifyRealloc, reinterpret_cast<intptr_t>(p), 4000));
  EXPECT_STREQ(p, "hello");
  EXPECT_GE(HeapSize(GetProcessHeap(), 0, p), 4000u);
  EXPECT_EQ(RuntimeNotify(kNotifyFree, reinterpret_cast<intptr_t>(p), 0), 0);
  EXPECT_EQ(RuntimeNotify(kNotifyFree, 0, 0), 0);
}

std::vector<uint32_t> g_idleCalls;
void RecordIdle(uint32_t argument) { g_idleCalls.push_back(argument); }

HWND PlainWindow() {
  return CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST(IdleWatchList, AddsOnlyLiveDistinctWindowsAndWalksBackwards) {
  auto& list = RuntimeState().idleWatch;
  list.clear();
  HWND first = PlainWindow();
  HWND second = PlainWindow();
  HWND gone = PlainWindow();
  DestroyWindow(gone);
  IdleWatch entries[] = {
      {first, RecordIdle, 1},
      {second, RecordIdle, 2},
      {first, RecordIdle, 3},    // already listed
      {gone, RecordIdle, 4},     // not a window
      {second, nullptr, 5},      // no routine
      {nullptr, RecordIdle, 6},
  };
  for (auto& e : entries) RuntimeNotify(kNotifyIdleAdd, reinterpret_cast<intptr_t>(&e), 0);
  ASSERT_EQ(list.size(), 2u);

  g_idleCalls.clear();
  RunIdleWatchList();
  EXPECT_EQ(g_idleCalls, (std::vector<uint32_t>{2, 1}));

  // A window that died since is dropped on the next walk.
  DestroyWindow(second);
  g_idleCalls.clear();
  RunIdleWatchList();
  EXPECT_EQ(g_idleCalls, (std::vector<uint32_t>{1}));
  EXPECT_EQ(list.size(), 1u);

  RuntimeNotify(kNotifyIdleRemove, reinterpret_cast<intptr_t>(first), 0);
  EXPECT_TRUE(list.empty());
  DestroyWindow(first);
}

}  // namespace
