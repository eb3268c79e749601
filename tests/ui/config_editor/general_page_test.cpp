// The general page, the real program under Wine, and the whole editor end to end:
// a parameter file made from the advanced template, filled on every page, written,
// then opened and saved again unchanged.
#include <gtest/gtest.h>

#include "common/win/wide.h"
#include "tests/ui/config_editor/page_driver.h"
#include "tests/ui/helpers/wine_drives.h"

namespace vaultrine::uitest {
namespace {

const std::string kMark = "\xEF\xBB\xBF";

std::string ParameterFile(const std::string& general, const std::string& destination) {
  return kMark + "[general]\r\nov_obsolete=1\r\n" + general + "\r\n[include]\r\n\r\n[destination]\r\n" + destination +
         "\r\n[exclude]\r\n\r\n[md5_compare]\r\n\r\n[old_versions]\r\n\r\n[compress]\r\n\r\n[crypt]\r\n\r\n"
         "[crypt_path]\r\n\r\n[restore]\r\n\r\n# eof\r\n";
}

bool Visible(HWND page, int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }

// Each case: the file the editor opens, what the page shows, what is typed or
// chosen, and lines the written file must hold.
TEST(GeneralPage, ShowsAndWritesBackEachValue) {
  const struct {
    const char* name;
    bool french, advanced;
    std::string general, destination;
    const char* delay;
    const char* key;  // shown, when advanced
    const char* destination_shown;
    const char* summary_shown;
    std::string type_volume;
    bool choose_folders;  // the restore and log buttons, then their lines
    std::vector<std::string> lines;
  } cases[] = {
      {"normal mode keeps the hidden key's bytes", false, false,
       "obsolete=30d\r\ncryptkey=cl\xE9S\xE8" "cr\xE8te\r\nsummary=\"C:\\Logs\"\r\n", "\"C:\\Backup\"\r\n", "30",
       nullptr, "C:\\Backup", "C:\\Logs", "", true,
       {"obsolete=30d\r\n", "cryptkey=cl\xE9S\xE8" "cr\xE8te\r\n", "[destination]\r\n\"C:\\Backup\"\r\n\r\n",
        "[restore]\r\nD:\\\\\r\n"}},
      {"advanced mode shows the key; a volume typed joins the destination", true, true,
       "obsolete=\r\ncryptkey=cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te\r\n", "\"E:\\B\" ,name=OLD , search\r\n", "",
       "cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te", "E:\\B", "*****", "BACKUP1", false,
       {"obsolete=d\r\n", "cryptkey=cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te\r\n",
        "[destination]\r\n\"E:\\B\" ,name=BACKUP1 , search\r\n"}},
      {"missing keys show the read default", false, true, "", "", "****", "*****", "*****",
       "*****", "*****", false, {"obsolete=****d\r\n", "cryptkey=*****\r\n"}},
      {"a key's blanks and quotes are part of it, shown and kept", false, true,
       "obsolete=7d\r\ncryptkey= \"s\xE9same\" \r\n", "\"C:\\Backup\"\r\n", "7", " \"s\xC3\xA9same\" ", "C:\\Backup",
       "*****", "", false, {"obsolete=7d\r\n", "cryptkey= \"s\xE9same\" \r\nsummary=", "[destination]\r\n\"C:\\Backup\"\r\n\r\n"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    const std::string path = folder.File("Vaultrine.ini");
    WriteFileBytes(path, ParameterFile(c.general, c.destination));
    EditorDriver editor(folder, c.french);
    ASSERT_TRUE(editor.Start());
    PageDriver pages(editor);
    if (c.advanced) {
      editor.ClickAdvanced();
      ASSERT_TRUE(WaitUntil([&] { return editor.TabCount() == config::kAdvancedTabCount; }));
    }
    ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DELAY));
    HWND page = editor.page();
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_GENERAL_GROUP)),
              c.french ? "Param\xC3\xA8tres g\xC3\xA9n\xC3\xA9raux de la sauvegarde" : "General backup settings");
    EXPECT_EQ(PageDriver::Field(page, IDC_DELAY), c.delay);
    EXPECT_EQ(PageDriver::Field(page, IDC_DESTINATION), c.destination_shown);
    EXPECT_EQ(PageDriver::Field(page, IDC_SUMMARY), c.summary_shown);
    EXPECT_EQ(Visible(page, IDC_KEY), c.advanced);
    EXPECT_EQ(Visible(page, IDC_KEY_LABEL), c.advanced);
    if (c.key) {
      EXPECT_EQ(PageDriver::Field(page, IDC_KEY), c.key);
    }
    if (!c.type_volume.empty()) PageDriver::Type(page, IDC_VOLUME, c.type_volume);
    if (c.choose_folders) {
      // The restore button ends the folder with "\", even a drive root; the log
      // button takes the folder as it comes.
      const std::string drive_folder = folder.File("d");
      CreateDirectoryW(win::ToWide(drive_folder).c_str(), nullptr);
      CreateDirectoryW(win::ToWide(drive_folder + "\\Restore").c_str(), nullptr);
      WineDrive drive('D', drive_folder, "RESTORE");
      ASSERT_TRUE(drive.ok());
      for (const auto& [chosen, button, field, shown] :
           {std::tuple{std::string("D:\\Restore"), IDM_CHOOSE_RESTORE, IDC_RESTORE, std::string("D:\\Restore\\")},
            std::tuple{folder.path(), IDM_CHOOSE_SUMMARY, IDC_SUMMARY, folder.path()},
            std::tuple{std::string("D:\\"), IDM_CHOOSE_RESTORE, IDC_RESTORE, std::string("D:\\\\")}}) {
        FolderChooserAnswerer chooser(win::ToWide(chosen), false, editor.process());
        PageDriver::Press(page, button);
        EXPECT_TRUE(chooser.Join());
        EXPECT_TRUE(WaitUntil([&] { return PageDriver::Field(page, field) == shown; }))
            << PageDriver::Field(page, field) << " for " << chosen;
      }
    }
    EXPECT_EQ(pages.CloseSaving(), 0);
    const std::string written = ReadFileBytes(path);
    for (const std::string& line : c.lines)
      EXPECT_NE(written.find(line), std::string::npos) << line << " in\n" << written;
    if (c.choose_folders) {
      EXPECT_NE(written.find("summary=\"" + folder.path() + "\"\r\n"), std::string::npos) << written;
    }
  }
}

// A full file whose every key the general page knows, so that a save changes only
// what was typed.
std::string FullFile(const std::string& delay, const std::string& destination) {
  return kMark + "[general]\r\nov_obsolete=1\r\nobsolete=" + delay + "d\r\ncryptkey=k\r\nsummary=\"C:\\Logs\"\r\n"
         "\r\n[include]\r\n\"C:\\Data\\\"\r\n\r\n[destination]\r\n" + destination +
         "\r\n\r\n[exclude]\r\nyes => (path=\"*.tmp\")\r\n\r\n[md5_compare]\r\n\r\n[old_versions]\r\n\r\n"
         "[compress]\r\n\r\n[crypt]\r\n\r\n[crypt_path]\r\n\r\n[restore]\r\nC:\\R\\\r\n\r\n# eof\r\n";
}

// The destination line ends its folder at the first comma: a comma typed or chosen
// in either field is refused with its message, the page stays, and what the user
// typed is left for them to change.
TEST(GeneralPage, ACommaInTheDestinationOrTheVolumeIsRefused) {
  ScratchFolder folder;
  const std::string path = folder.File("Vaultrine.ini");
  WriteFileBytes(path, FullFile("30", "\"E:\\B\" ,name=DISQUE1 , search"));
  const std::string comma_folder = folder.File("Backups, 2024");
  CreateDirectoryW(win::ToWide(comma_folder).c_str(), nullptr);
  EditorDriver editor(folder, true);
  ASSERT_TRUE(editor.Start());
  PageDriver pages(editor);
  ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DESTINATION));
  HWND page = editor.page();
  const std::string refused =
      "Une virgule ne peut pas figurer dans le dossier de destination ni dans le nom du volume. "
      "Choisissez-en un sans virgule.";
  for (const auto& [field, typed] : {std::pair{IDC_DESTINATION, std::string("D:\\Backups, 2024")},
                                     std::pair{IDC_VOLUME, std::string("BACK,UP")}}) {
    SCOPED_TRACE(typed);
    PageDriver::Type(page, field, typed);
    auto box = editor.AnswerBox(IDOK);
    editor.FocusTab(2);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, refused);
    EXPECT_TRUE(editor.WaitForTab(kGeneralTab));
    EXPECT_EQ(editor.page(), page) << "the page stays";
    EXPECT_EQ(PageDriver::Field(page, field), typed) << "as typed";
    PageDriver::Type(page, field, field == IDC_DESTINATION ? "D:\\Backups 2024" : "BACKUP");
  }
  {
    SCOPED_TRACE("chosen: refused, the field keeps its text");
    auto box = editor.AnswerBox(IDOK);
    FolderChooserAnswerer chooser(win::ToWide(comma_folder), false, editor.process());
    PageDriver::Press(page, IDM_CHOOSE_DESTINATION);
    EXPECT_TRUE(chooser.Join());
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, refused);
    EXPECT_EQ(PageDriver::Field(page, IDC_DESTINATION), "D:\\Backups 2024");
  }
  ASSERT_TRUE(pages.Go(kIncludePage));
  EXPECT_EQ(pages.CloseSaving(), 0);
  EXPECT_EQ(ReadFileBytes(path), FullFile("30", "\"D:\\Backups 2024\" ,name=BACKUP , search"));
}

// The close runs only when the page shown has kept its part: a page that refuses
// (a comma) or fails to write (the internal file held read-only by another program)
// stops it with its message, and the edit is saved once it can be.
TEST(Editor, APageThatCannotSaveStopsTheClose) {
  ScratchFolder folder;
  const std::string path = folder.File("Vaultrine.ini");
  const std::string internal = folder.File("ZZZ_Vaultrine.ini.@@@.tmp");
  WriteFileBytes(path, FullFile("30", "\"E:\\B\""));
  EditorDriver editor(folder, false);
  ASSERT_TRUE(editor.Start());
  PageDriver pages(editor);
  auto close_is_stopped = [&](const std::string& message) {
    auto box = editor.AnswerBox(IDOK);
    PostMessageW(editor.tabs(), WM_KEYDOWN, VK_ESCAPE, 0);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, message);
    // Anything the close would do next has had time to come.
    Sleep(500);
    EXPECT_EQ(editor.FindEndQuestion(), nullptr);
    EXPECT_TRUE(editor.Running());
    EXPECT_FALSE(editor.FilePageShown());
  };
  {
    SCOPED_TRACE("a comma");
    ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DESTINATION));
    PageDriver::Type(editor.page(), IDC_DESTINATION, "F:\\A,B");
    close_is_stopped("A comma cannot be stored in the destination folder or the volume name. "
                     "Choose or type one without a comma.");
    EXPECT_EQ(PageDriver::Field(editor.page(), IDC_DESTINATION), "F:\\A,B");
    PageDriver::Type(editor.page(), IDC_DESTINATION, "F:\\AB");
  }
  {
    SCOPED_TRACE("a rule the internal file cannot take");
    ASSERT_TRUE(pages.Go(kIncludePage));
    ASSERT_TRUE(pages.AddRule(kIncludePage, "C:\\New\\"));
    HeldFile held(internal, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(held.held());
    close_is_stopped("This tab could not write its changes to " + internal +
                     ".\r\nThey stay on the tab: free the file or the disk, then try again.");
    EXPECT_EQ(pages.Shown(kIncludePage), (std::vector<std::string>{"\"C:\\Data\\\"", "\"C:\\New\\\""}));
  }
  EXPECT_EQ(pages.CloseSaving(), 0);
  std::string saved = FullFile("30", "\"F:\\AB\"");
  saved.replace(saved.find("\r\n\r\n[destination]"), 0, "\r\n\"C:\\New\\\"");
  EXPECT_EQ(ReadFileBytes(path), saved);
}

// Another program holds the internal file for writing and lets nobody read it. The
// editor never takes that for an empty or missing file: the page stays, the
// conversion is not made again, the close does not pass for nothing to save, and
// the edit is saved whole once the file is free.
TEST(Editor, AnInternalFileThatCannotBeReadIsNeverRewritten) {
  ScratchFolder folder;
  const std::string path = folder.File("Vaultrine.ini");
  const std::string internal = folder.File("ZZZ_Vaultrine.ini.@@@.tmp");
  WriteFileBytes(path, FullFile("30", "\"E:\\B\""));
  EditorDriver editor(folder, false);
  ASSERT_TRUE(editor.Start());
  PageDriver pages(editor);
  ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DELAY));
  PageDriver::Type(editor.page(), IDC_DELAY, "45");
  const std::string cannot_read = "The editor's working file " + internal +
                                  " cannot be read; nothing was changed.\r\nClose the program that holds it, then try again.";
  {
    SCOPED_TRACE("leaving the general page");
    HeldFile held(internal, GENERIC_WRITE, FILE_SHARE_WRITE);
    ASSERT_TRUE(held.held());
    auto box = editor.AnswerBox(IDOK);
    editor.FocusTab(2);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, cannot_read);
    EXPECT_TRUE(editor.WaitForTab(kGeneralTab));
    EXPECT_EQ(PageDriver::Field(editor.page(), IDC_DELAY), "45");
  }
  editor.FocusTab(0);
  ASSERT_TRUE(editor.WaitForTab(0));
  {
    SCOPED_TRACE("leaving the parameter-file page, then closing");
    HeldFile held(internal, GENERIC_WRITE, FILE_SHARE_WRITE);
    ASSERT_TRUE(held.held());
    auto box = editor.AnswerBox(IDOK);
    editor.FocusTab(2);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, cannot_read) << "the include page cannot load";
    EXPECT_TRUE(editor.WaitForTab(0));

    PostMessageW(editor.tabs(), WM_KEYDOWN, VK_ESCAPE, 0);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (question = editor.FindEndQuestion()) != nullptr; }))
        << "the edits are there to save";
    auto failed = editor.AnswerBox(IDOK);
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_YES, BN_CLICKED), 0);
    const BoxSeen& save = failed->Join();
    ASSERT_TRUE(save.found);
    EXPECT_EQ(save.text, "Echec lors de l'ouverture du fichier temporaire");
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(editor.main()) && !editor.FindEndQuestion(); }));
    EXPECT_TRUE(editor.Running());
  }
  EXPECT_EQ(ReadFileBytes(path), FullFile("30", "\"E:\\B\""));
  ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DELAY));
  EXPECT_EQ(PageDriver::Field(editor.page(), IDC_DELAY), "45");
  EXPECT_EQ(pages.CloseSaving(), 0);
  EXPECT_EQ(ReadFileBytes(path), FullFile("45", "\"E:\\B\""));
  EXPECT_EQ(ReadFileBytes(path + ".OLD"), FullFile("30", "\"E:\\B\""));
}

// From nothing to a complete parameter file, through the windows only; then opened
// again and saved unchanged.
TEST(Editor, EndToEndFromTheAdvancedTemplate) {
  ScratchFolder folder;
  const std::string path = folder.File("Vaultrine.ini");
  {
    EditorDriver editor(folder, false);
    ASSERT_TRUE(editor.Start());
    PageDriver pages(editor);
    ASSERT_TRUE(pages.NewAdvancedFile(path));

    ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DELAY));
    HWND page = editor.page();
    const std::pair<int, std::string> typed[] = {
        {IDC_DESTINATION, "F:\\Sauvegardes"}, {IDC_VOLUME, "BACKUP1"},  {IDC_DELAY, "45"},
        {IDC_KEY, "cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te"}, {IDC_SUMMARY, "C:\\Journal"}, {IDC_RESTORE, "D:\\Restore\\"}};
    for (const auto& [id, text] : typed) PageDriver::Type(page, id, text);

    ASSERT_TRUE(pages.Go(kIncludePage));
    ASSERT_TRUE(pages.AddRule(kIncludePage, "C:\\Users\\anne\\Documents \xC3\xA9t\xC3\xA9\\"));
    ASSERT_TRUE(pages.Go(kExcludePage));
    ASSERT_TRUE(pages.AddRule(kExcludePage, "*.iso", 0));
    ASSERT_TRUE(pages.Go(kMd5Page));
    ASSERT_TRUE(pages.AddRule(kMd5Page, "*.kdbx"));
    ASSERT_TRUE(pages.Go(kCompressPage));
    ASSERT_TRUE(pages.AddRule(kCompressPage, "*.sql"));
    ASSERT_TRUE(pages.Go(kCryptPage));
    ASSERT_TRUE(pages.AddRule(kCryptPage, "*.pfx"));
    ASSERT_TRUE(pages.Go(kCryptPathPage));
    ASSERT_TRUE(pages.AddRule(kCryptPathPage, "*\\Private\\*"));
    EXPECT_EQ(pages.CloseSaving(), 0);
  }
  const std::string written = ReadFileBytes(path);
  ASSERT_EQ(written.substr(0, 3), kMark);
  EXPECT_EQ(written.substr(written.size() - 7), "# eof\r\n");
  for (const std::string& line : {std::string("obsolete=45d\r\n"),
                                  std::string("cryptkey=cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te\r\n"),
                                  std::string("summary=\"C:\\Journal\"\r\n"),
                                  std::string("[destination]\r\n\"F:\\Sauvegardes\" ,name=BACKUP1 , search\r\n"),
                                  std::string("[restore]\r\nD:\\Restore\\\r\n")})
    EXPECT_NE(written.find(line), std::string::npos) << line << " in\n" << written;
  // The rules typed, each at the end of its section, in the template's order.
  for (const char* rule : {"\"C:\\Users\\anne\\Documents \xC3\xA9t\xC3\xA9\\\"\r\n\r\n[destination]",
                                  "yes => (path=\"*.iso\")\r\n\r\n[md5_compare]",
                                  "md5 => (path=\"*.kdbx\")\r\n\r\n[old_versions]",
                                  "gzip => (path=\"*.sql\")\r\n\r\n[crypt]",
                                  "bf => (path=\"*.pfx\")\r\n\r\n[crypt_path]",
                                  "bf => (path=\"*\\Private\\*\")\r\n\r\n[restore]"})
    EXPECT_NE(written.find(rule), std::string::npos) << rule << " in\n" << written;
  // The whole file: the advanced template with what was typed, nothing lost or doubled.
  const std::string kWhole = kMark +
      "[general]\r\nov_obsolete=1\r\nobsolete=45d\r\ncryptkey=cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te\r\n"
      "summary=\"C:\\Journal\"\r\ndatabase=Vaultrine.sqlite\r\n"
      "\r\n[include]\r\n\"C:\\Users\\\"\r\n#\"D:\\Data\\\"\r\n\"C:\\Users\\anne\\Documents \xC3\xA9t\xC3\xA9\\\"\r\n"
      "\r\n[destination]\r\n\"F:\\Sauvegardes\" ,name=BACKUP1 , search\r\n"
      "\r\n[exclude]\r\nyes => (path=\"*.tmp\")\r\nyes => (path=\"*\\AppData\\Local\\*\")\r\n"
      "no => (path=\"*\\AppData\\Local\\Microsoft\\Outlook\\*\")\r\nyes => (path=\"*\\NTUSER.DAT*\")\r\n"
      "yes => (path=\"*.iso\")\r\n"
      "\r\n[md5_compare]\r\nmd5 => (path=\"*.pst\")\r\nmd5 => (size>500)\r\nmd5 => (path=\"*.kdbx\")\r\n"
      "\r\n[old_versions]\r\n"
      "\r\n[compress]\r\ngzip => (path=\"*.txt\")\r\ngzip => (path=\"*.log\")\r\ngzip => (path=\"*.csv\")\r\n"
      "gzip => (path=\"*.xml\")\r\ngzip => (path=\"*.bmp\")\r\ngzip => (path=\"*.sql\")\r\n"
      "\r\n[crypt]\r\n#bf => (path=\"C:\\Users\\Public\\Documents\\Confidential\\*\")\r\n#bf => (path=\"*.pfx\")\r\n"
      "bf => (path=\"*.pfx\")\r\n"
      "\r\n[crypt_path]\r\n#bf => (path=\"C:\\Users\\Public\\Documents\\Confidential\\*\")\r\n"
      "bf => (path=\"*\\Private\\*\")\r\n"
      "\r\n[restore]\r\nD:\\Restore\\\r\n"
      "\r\n# eof\r\n";
  EXPECT_EQ(written, kWhole);

  // Opened again, nothing changed, saved: the same bytes, and the previous file kept.
  {
    EditorDriver editor(folder, true);
    ASSERT_TRUE(editor.Start());
    PageDriver pages(editor);
    editor.ClickAdvanced();
    ASSERT_TRUE(WaitUntil([&] { return editor.TabCount() == config::kAdvancedTabCount; }));
    for (int tab = 1; tab < 8; ++tab) {
      editor.FocusTab(tab);
      ASSERT_TRUE(editor.WaitForTab(tab));
    }
    EXPECT_EQ(pages.CloseSaving(), 0);
  }
  EXPECT_EQ(ReadFileBytes(path), written);
  EXPECT_EQ(ReadFileBytes(path + ".OLD"), written);
}

}  // namespace
}  // namespace vaultrine::uitest
