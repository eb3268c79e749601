// The launcher program itself, with a real engine database beside it: a click on the
// obsolete row writes the report and opens it in the Notepad found in the program
// folder (a stand-in), with the launcher minimised until Notepad ends.
#include <sqlite3.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>

#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace {

using vaultrine::uitest::ScratchFolder;
using vaultrine::win::ToWide;

void MakeDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  const long long now = static_cast<long long>(std::time(nullptr));
  const std::string sql =
      "CREATE TABLE dest(destpath TEXT, otime INTEGER, isobsolete INTEGER, task TEXT);"
      "INSERT INTO dest VALUES('E:/Vaultrine/old/letter.odt', " + std::to_string(now - 3 * 86400 - 10) + ", 1, 'x');"
      "INSERT INTO dest VALUES('E:/Vaultrine/kept.txt', " + std::to_string(now) + ", 0, 'x');";
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

TEST(LauncherReport, ObsoleteRowWritesTheReportAndOpensItInNotepad) {
  ScratchFolder program;
  const std::string exe = program.File("TopVaultrine.exe");
  ASSERT_TRUE(vaultrine::uitest::CopyFileTo(vaultrine::uitest::BinFolder() + "\\TopVaultrine.exe", exe));
  ASSERT_TRUE(vaultrine::uitest::CopyFileTo(vaultrine::uitest::BinFolder() + "\\stand_in_program.exe",
                                            program.File("Notepad.exe")));
  vaultrine::uitest::WriteFileBytes(program.File("Vaultrine.ini"), "\xEF\xBB\xBF[general]\r\n");
  MakeDatabase(program.File("Vaultrine.sqlite"));

  const std::string marker = program.File("notepad-marker.txt");
  const std::wstring event = L"VaultrineReportNotepad" + std::to_wstring(GetTickCount());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
  vaultrine::uitest::SetStandInMarker(marker, event);  // inherited by the launcher, then Notepad

  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + ToWide(exe) + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             ToWide(program.path()).c_str(), &si, &pi));
  HWND h = nullptr;
  ASSERT_TRUE(vaultrine::uitest::WaitUntil(
      [&] { return (h = vaultrine::uitest::FindProcessWindow(L"#32770", L"VAULTRINE 1.92", pi.dwProcessId)) != nullptr; }));

  // Into the obsolete row, then a click whose own position does not matter.
  PostMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(300, 480));
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));

  ASSERT_TRUE(vaultrine::uitest::WaitUntil([&] { return vaultrine::uitest::FileExists(marker); }, 15000));
  const std::string line = vaultrine::uitest::ReadFileBytes(marker);
  const std::string report = program.File("Lapsarium_FileList.txt");
  EXPECT_EQ(line, program.path() + "|Notepad.exe " + report + "\r\n");
  EXPECT_TRUE(IsIconic(h)) << "minimised while Notepad runs";

  // No catalog beside it: English heading, one obsolete row, three whole days old.
  EXPECT_EQ(vaultrine::uitest::ReadFileBytes(report),
            "\xEF\xBB\xBF" "Days \tObsolete files    \r\n=====\t==================\r\n\r\n"
            "3\tE:\\Vaultrine\\old\\letter.odt\r\n");

  SetEvent(release);
  EXPECT_TRUE(vaultrine::uitest::WaitUntil([&] { return !IsIconic(h); }, 10000)) << "restored after Notepad";
  PostMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(release);
  vaultrine::uitest::SetStandInMarker("");
}

}  // namespace
