// The answerers that every Wine test uses, facing a program that shows one box after
// another and is slow to close each: every answerer must answer its own box.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <thread>
#include <vector>

#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {
namespace {

// Holds back each command to a window of its thread for a second, as a busy program does.
LRESULT CALLBACK SlowToClose(int code, WPARAM how, LPARAM message) {
  if (code == HC_ACTION && how == PM_REMOVE && reinterpret_cast<MSG*>(message)->message == WM_COMMAND)
    Sleep(1000);
  return CallNextHookEx(nullptr, code, how, message);
}

TEST(BoxAnswerers, EachAnswersItsOwnBoxWhenTheOneBeforeClosesSlowly) {
  std::promise<HWND> made;
  std::future<HWND> window = made.get_future();
  std::thread program([&made] {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    made.set_value(owner);
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, SlowToClose, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, L"first", L"Answerers", MB_OK);
    MessageBoxW(owner, L"second", L"Answerers", MB_OK);
    UnhookWindowsHookEx(hook);
    DestroyWindow(owner);
  });
  const HWND owner = window.get();
  std::vector<std::string> seen;
  for (int i = 0; i < 2; ++i) {
    BoxAnswerer answer(owner, IDOK, 5000);
    seen.push_back(answer.Join().text);
  }
  // A box left unanswered would hold the program for ever.
  while (BoxAnswerer(owner, IDOK, 1000).Join().found) {
  }
  program.join();
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second"}));
}

}  // namespace
}  // namespace vaultrine::uitest
