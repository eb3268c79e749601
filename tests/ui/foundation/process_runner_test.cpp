// Starting programs with and without waiting, under Wine, with the stand-in program.
#include "common/win/process_runner.h"

#include <gtest/gtest.h>

#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::win {
namespace {

using uitest::BinFolder;
using uitest::BoxAnswerer;
using uitest::ScratchFolder;

std::string StandIn() { return BinFolder() + "\\stand_in_program.exe"; }

class ProcessRunner : public ::testing::Test {
 protected:
  void TearDown() override { uitest::SetStandInMarker(""); }
  ScratchFolder scratch_;
};

TEST_F(ProcessRunner, WaitReturnsOnlyAfterTheProgramHasEnded) {
  const std::string marker = scratch_.File("marker.txt");
  uitest::SetStandInMarker(marker);
  RunAndWait(BackupLibraryWaitVariant(), StandIn() + " list.txt", scratch_.path());
  // The stand-in writes its marker before it exits, so it must be there already.
  ASSERT_TRUE(uitest::FileExists(marker));
  const std::string line = uitest::ReadFileBytes(marker);
  EXPECT_EQ(line.substr(0, line.find('|')), scratch_.path()) << "working directory";
  EXPECT_NE(line.find("list.txt"), std::string::npos) << line;
}

TEST_F(ProcessRunner, AccentedAndSpacedFoldersWork) {
  ScratchFolder outer;
  const std::string folder = outer.File("Donn\xC3\xA9" "es de test");
  ASSERT_TRUE(CreateDirectoryW(ToWide(folder).c_str(), nullptr));
  const std::string program = folder + "\\stand in.exe";
  ASSERT_TRUE(uitest::CopyFileTo(StandIn(), program));
  const std::string marker = folder + "\\marqu\xC3\xA9.txt";
  uitest::SetStandInMarker(marker);
  RunAndWait(BackupLibraryWaitVariant(), "\"" + program + "\"", folder);
  ASSERT_TRUE(uitest::FileExists(marker));
  const std::string line = uitest::ReadFileBytes(marker);
  EXPECT_EQ(line.substr(0, line.find('|')), folder);
}

struct FailureCase {
  RunVariant variant;
  bool waits;
  const char* caption;
  bool with_command_line;
};

TEST_F(ProcessRunner, MissingProgramShowsTheSystemErrorAndReturnsAtOnce) {
  const std::string command = "no_such_program_here.exe some-argument";
  const FailureCase cases[] = {
      {BackupLibraryWaitVariant(), true, "Vaultrine.dll", false},
      {RestoreLibraryWaitVariant(), true, "Revivalis2.dll", false},
      {RestoreLibraryNoWaitVariant(), false, "DEBUG", true},
      {LauncherNoWaitVariant(nullptr), false, "VAULTRINE 1.92", true},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.caption);
    BoxAnswerer answer(ToWide(c.caption), IDOK);
    const DWORD start = GetTickCount();
    if (c.waits) {
      RunAndWait(c.variant, command, ".");
    } else {
      HANDLE kept = nullptr;
      EXPECT_EQ(RunNoWait(c.variant, command, ".", &kept), 0);
      EXPECT_EQ(kept, nullptr);
    }
    const uitest::BoxSeen& seen = answer.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text.rfind("CreateProcess error 2 = ", 0), 0u) << seen.text;
    EXPECT_GT(seen.text.size(), std::string("CreateProcess error 2 = ").size()) << "system text";
    const std::string tail = "\n" + command;
    const bool ends_with_command =
        seen.text.size() > tail.size() && seen.text.compare(seen.text.size() - tail.size(), tail.size(), tail) == 0;
    EXPECT_EQ(ends_with_command, c.with_command_line) << seen.text;
    // Wine 8 does not turn MB_TOPMOST into WS_EX_TOPMOST, so the z-order is not checked here.
    EXPECT_LT(GetTickCount() - start, 10000u);
  }
}

TEST_F(ProcessRunner, NoWaitKeepsALiveProcessForTheRestoreLibrary) {
  const std::string marker = scratch_.File("marker.txt");
  const std::wstring event = L"VaultrineTestRelease" + std::to_wstring(GetTickCount());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
  uitest::SetStandInMarker(marker, event);
  HANDLE kept = nullptr;
  ASSERT_EQ(RunNoWait(RestoreLibraryNoWaitVariant(), StandIn() + " 10;20;", ".", &kept), 1);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(WaitForSingleObject(kept, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "still running";
  EXPECT_TRUE(TerminateProcess(kept, 0));
  EXPECT_EQ(WaitForSingleObject(kept, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(kept);
  CloseHandle(release);

  // The launcher's form keeps nothing.
  uitest::SetStandInMarker(marker);
  HANDLE none = nullptr;
  EXPECT_EQ(RunNoWait(LauncherNoWaitVariant(nullptr), StandIn(), ".", &none), 1);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ProcessRunner, LauncherFormMinimisesItsWindowWhileWaiting) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                               100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  const std::string marker = scratch_.File("marker.txt");
  const std::wstring event = L"VaultrineTestMinimise" + std::to_wstring(GetTickCount());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
  uitest::SetStandInMarker(marker, event);

  bool iconic_while_running = false;
  std::thread observer([&] {
    uitest::WaitUntil([&] { return uitest::FileExists(marker); });
    iconic_while_running = IsIconic(owner) != 0;
    SetEvent(release);
  });
  RunAndWait(LauncherWaitVariant(owner), StandIn(), ".");
  observer.join();
  EXPECT_TRUE(iconic_while_running);
  EXPECT_FALSE(IsIconic(owner)) << "restored after the program ended";
  CloseHandle(release);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace vaultrine::win
