// Message files on Windows: wide file names, the error boxes, and the data the
// program folder ships.
#include <gtest/gtest.h>

#include <string>

#include "common/message_file.h"
#include "common/win/message_box_sink.h"
#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::win {
namespace {

using uitest::BinFolder;
using uitest::BoxAnswerer;
using uitest::ScratchFolder;

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

TEST(MessageFilesOnWindows, AccentedProgramFolderLoads) {
  ScratchFolder outer;
  const std::string folder = outer.File("Donn\xC3\xA9" "es programme");
  ASSERT_TRUE(CreateDirectoryW(ToWide(folder).c_str(), nullptr));
  uitest::WriteFileBytes(folder + "\\RestoreVaultrine.mes",
                         "[MAIN_eng]\r\nk=Done\r\n[MAIN_fra]\r\nk=Termin\xC3\xA9@@suite\r\n");
  MessageBoxSink sink;
  MessageFile messages(kRestoreMessageFile);
  ASSERT_TRUE(messages.LoadMessageFile(folder, sink));
  messages.SelectSection("MAIN", "fra");
  EXPECT_EQ(Wide(messages.LookUpMessage("k")), L"Termin\u00e9\r\nsuite");
}

struct BoxCase {
  MessageFileVariant variant;
  const wchar_t* caption;
  const char* text;
};

TEST(MessageFilesOnWindows, MissingFileShowsAnErrorBoxWithTheVariantsCaption) {
  const BoxCase cases[] = {
      {kEditorMessageFile, L"Config VAULTRINE 1.92", "Cannot open ConfigVaultrine.mes"},
      {kRestoreMessageFile, L"Restore Vaultrine", "Cannot open RestoreVaultrine.mes"},
  };
  for (const BoxCase& c : cases) {
    ScratchFolder empty;
    BoxAnswerer answerer(c.caption, IDOK);
    MessageBoxSink sink;
    MessageFile messages(c.variant);
    EXPECT_FALSE(messages.LoadMessageFile(empty.path(), sink));
    const uitest::BoxSeen& seen = answerer.Join();
    ASSERT_TRUE(seen.found) << c.text;
    EXPECT_EQ(seen.text, c.text);
    messages.SelectSection("MAIN", "eng");
    EXPECT_EQ(Wide(messages.LookUpMessage("ask_1")), L"?");
  }
}

TEST(MessageFilesOnWindows, ProgramFolderShipsTheDataFiles) {
  const std::string program_folder = BinFolder() + "\\..\\programfolder";
  const std::string source = std::string(VAULTRINE_SOURCE_DIR_WINE) + "/data/";
  for (const char* name : {"ConfigVaultrine.mes", "RestoreVaultrine.mes", "Low_Template_TSN.tsn",
                           "High_Template_TSN.tsn"}) {
    ASSERT_TRUE(uitest::FileExists(program_folder + "\\" + name)) << name;
    EXPECT_EQ(uitest::ReadFileBytes(program_folder + "\\" + name),
              uitest::ReadFileBytes(source + name))
        << name;
  }
  const std::string catalog = uitest::ReadFileBytes(
      program_folder + "\\locale\\gui\\LC_MESSAGES\\vaultrine.mo");
  ASSERT_GE(catalog.size(), 28u);
  EXPECT_EQ(catalog.substr(0, 4), std::string("\xDE\x12\x04\x95", 4)) << "gettext catalog";

  // Both shipped files answer through the loader as the programs will use it.
  MessageBoxSink sink;
  for (const MessageFileVariant& variant : {kEditorMessageFile, kRestoreMessageFile}) {
    MessageFile messages(variant);
    ASSERT_TRUE(messages.LoadMessageFile(program_folder, sink)) << variant.file_name;
    for (const char* language : {"eng", "fra"}) {
      messages.SelectSection("MAIN", language);
      EXPECT_GE(messages.section_offset(), 0) << variant.file_name << " " << language;
    }
  }
}

}  // namespace
}  // namespace vaultrine::win
