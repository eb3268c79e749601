// The six rule pages and their edit dialogs, the real program under Wine: one
// parameter file walked through every page in advanced mode, each page's cases
// driven through its list and its dialog, and the file written at the end compared
// byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "common/win/wide.h"
#include "config_editor/core/profile_file.h"
#include "tests/ui/config_editor/page_driver.h"

namespace vaultrine::uitest {
namespace {

using win::FromWide;
using win::ToWide;

const std::string kMark = "\xEF\xBB\xBF";
const std::string kHead =
    "[general]\r\nov_obsolete=1\r\nobsolete=30d\r\ncryptkey=\r\nsummary=\r\n\r\n"
    "[include]\r\n\"C:\\Data\\\"\r\n#\"D:\\Off\\\"\r\n\r\n[destination]\r\n\"E:\\B\"\r\n\r\n";
const std::string kBefore = kMark + kHead +
    "[exclude]\r\nyes => (path=\"*.tmp\")\r\n\r\n[md5_compare]\r\nmd5 => (size>500)\r\n\r\n[old_versions]\r\n\r\n"
    "[compress]\r\ngzip => (ext=\"doc\")\r\n\r\n[crypt]\r\n\r\n"
    // The first quote at index 19: a syntax error.
    "[crypt_path]\r\nbf => (path=1234567\"C:\\x\\*\")\r\n\r\n[restore]\r\nC:\\R\\\r\n\r\n# eof\r\n";

using Entries = std::vector<std::string>;

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
  reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
  return TRUE;
}

// Damages dialog template `id` in the program file `exe`: its one control is of a
// class no program registers, so the dialog cannot be made, as with a damaged copy
// of the program. Empty when done, else what failed.
std::string DamageDialogTemplate(const std::string& exe, int id) {
  std::vector<WORD> languages;
  HMODULE program = LoadLibraryExW(ToWide(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) return "loading the program: " + std::to_string(GetLastError());
  EnumResourceLanguagesW(program, RT_DIALOG, MAKEINTRESOURCEW(id), AddLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  FreeLibrary(program);
  if (languages.empty()) return "no such template";

  // DLGTEMPLATE, no menu, default class, no title; then one DLGITEMTEMPLATE,
  // DWORD-aligned, with its class by name, no title, no creation data.
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = WS_POPUP | WS_CAPTION;
  dialog->cdit = 1;
  dialog->cx = 100;
  dialog->cy = 50;
  words.insert(words.end(), {0, 0, 0});
  if (words.size() % 2) words.push_back(0);
  const size_t item_at = words.size();
  words.resize(item_at + sizeof(DLGITEMTEMPLATE) / sizeof(WORD), 0);
  auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(words.data() + item_at);
  item->style = WS_CHILD | WS_VISIBLE;
  item->cx = 50;
  item->cy = 10;
  item->id = 1;
  for (const wchar_t* c = L"NoSuchControlClass"; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.insert(words.end(), {0, 0, 0});

  HANDLE update = BeginUpdateResourceW(ToWide(exe).c_str(), FALSE);
  if (!update) return "BeginUpdateResource: " + std::to_string(GetLastError());
  for (WORD language : languages)
    if (!UpdateResourceW(update, RT_DIALOG, MAKEINTRESOURCEW(id), language, words.data(),
                         static_cast<DWORD>(words.size() * sizeof(WORD))))
      return "UpdateResource: " + std::to_string(GetLastError());
  if (!EndUpdateResourceW(update, FALSE)) return "EndUpdateResource: " + std::to_string(GetLastError());
  program = LoadLibraryExW(ToWide(exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) return "loading the changed program: " + std::to_string(GetLastError());
  HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(id), RT_DIALOG);
  const DWORD size = found ? SizeofResource(program, found) : 0;
  FreeLibrary(program);
  return size == words.size() * sizeof(WORD) ? "" : "not changed, size " + std::to_string(size);
}
constexpr const RulePage& kInclude = kIncludePage;
constexpr const RulePage& kExclude = kExcludePage;
constexpr const RulePage& kMd5 = kMd5Page;
constexpr const RulePage& kCompress = kCompressPage;
constexpr const RulePage& kCrypt = kCryptPage;
constexpr const RulePage& kCryptPath = kCryptPathPage;

class RulePages : public ::testing::Test {
 protected:
  void Go(const RulePage& p) { ASSERT_TRUE(pages_->Go(p)); }
  HWND List(const RulePage& p) const { return pages_->List(p); }
  Entries Shown(const RulePage& p) const { return pages_->Shown(p); }
  int Selected(const RulePage& p) const { return pages_->Selected(p); }
  HWND Open(const RulePage& p, int index, int timeout_ms = 10000) { return pages_->Open(p, index, timeout_ms); }
  HWND Add(const RulePage& p) { return pages_->Add(p); }
  static void Press(HWND dialog, int id) { PageDriver::Press(dialog, id); }
  static bool End(HWND dialog, int id) { return PageDriver::End(dialog, id); }
  static void Type(HWND dialog, int id, const std::string& text) { PageDriver::Type(dialog, id, text); }
  static void Choose(HWND dialog, int combo, int index) { PageDriver::Choose(dialog, combo, index); }
  static int Chosen(HWND dialog, int combo) { return PageDriver::Chosen(dialog, combo); }
  static int Choices(HWND dialog, int combo) { return PageDriver::Choices(dialog, combo); }

  ScratchFolder folder_;
  std::unique_ptr<EditorDriver> editor_;
  std::unique_ptr<PageDriver> pages_;
};

TEST_F(RulePages, EveryPageThroughItsDialogToTheWrittenFile) {
  const std::string path = folder_.File("Vaultrine.ini");
  WriteFileBytes(path, kBefore);
  editor_ = std::make_unique<EditorDriver>(folder_, true);
  ASSERT_TRUE(editor_->Start());
  pages_ = std::make_unique<PageDriver>(*editor_);
  editor_->ClickAdvanced();
  ASSERT_TRUE(WaitUntil([&] { return editor_->TabCount() == config::kAdvancedTabCount; }));

  {
    SCOPED_TRACE("include: quotes put back, placeholder, folder chooser, position 1");
    Go(kInclude);
    EXPECT_EQ(TextOf(GetDlgItem(editor_->page(), IDC_INCLUDE_TITLE)), "Emplacements \xC3\xA0 sauvegarder");
    EXPECT_EQ(TextOf(GetDlgItem(editor_->page(), IDC_INCLUDE_ADD)), "Ajouter une ligne");
    ASSERT_EQ(Shown(kInclude), (Entries{"\"C:\\Data\\\"", "#\"D:\\Off\\\""}));
    EXPECT_EQ(Selected(kInclude), 1);

    HWND dialog = Add(kInclude);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(dialog), "Modification des fichiers ou r\xC3\xA9pertoires \xC3\xA0 inclure");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kInclude.value)), "C:\\Dossier \xC3\xA0 sauvegarder\\");
    EXPECT_EQ(Choices(dialog, kInclude.position), 3);
    EXPECT_EQ(Chosen(dialog, kInclude.position), 2);
    ASSERT_TRUE(End(dialog, kInclude.abandon));
    const std::string placeholder = "\"C:\\Dossier \xC3\xA0 sauvegarder\\\"";
    EXPECT_EQ(Shown(kInclude), (Entries{"\"C:\\Data\\\"", "#\"D:\\Off\\\"", placeholder}));

    ASSERT_TRUE(dialog = Add(kInclude));
    ASSERT_TRUE(End(dialog, kInclude.remove));
    EXPECT_EQ(Shown(kInclude).size(), 3u) << "add then delete: as before";

    // The folder chooser fills the value; abandoning keeps the rule.
    ASSERT_TRUE(dialog = Open(kInclude, 0));
    {
      FolderChooserAnswerer chooser(ToWide(folder_.path()), false, editor_->process());
      Press(dialog, kInclude.folder);
      EXPECT_TRUE(chooser.Join());
    }
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, kInclude.value)) == folder_.path() + "\\"; }))
        << TextOf(GetDlgItem(dialog, kInclude.value));
    ASSERT_TRUE(End(dialog, kInclude.abandon));
    EXPECT_EQ(Shown(kInclude)[0], "\"C:\\Data\\\"");

    ASSERT_TRUE(dialog = Open(kInclude, 2));
    Type(dialog, kInclude.value, "C:\\Photos \xC3\xA9t\xC3\xA9\\");
    Choose(dialog, kInclude.position, 0);
    ASSERT_TRUE(End(dialog, kInclude.validate));
    EXPECT_EQ(Shown(kInclude),
              (Entries{"\"C:\\Photos \xC3\xA9t\xC3\xA9\\\"", "\"C:\\Data\\\"", "#\"D:\\Off\\\""}));
    EXPECT_EQ(Selected(kInclude), 0);
  }

  {
    SCOPED_TRACE("exclude: five entries over a gap, identical twins, kind box, Escape");
    // Written into the internal file behind the editor's back: keys 000 to 004 and
    // 006, with 005 missing.
    {
      config::ProfileFile internal(folder_.File("ZZZ_Vaultrine.ini.@@@.tmp"));
      const char* rules[] = {"yes => (path=\"*.bak\")", "yes => (path=\"*.tmp\")", "yes => (path=\"C:\\Temp\\*\")",
                             "yes => (path=\"*.bak\")", "no => (path=\"*.doc\")"};
      for (int i = 0; i < 5; ++i) internal.Write("exclude", "00" + std::to_string(i), std::string(rules[i]));
      internal.Write("exclude", "006", std::string("yes => (path=\"*.lost\")"));
      ASSERT_TRUE(internal.Flush());
    }
    Go(kExclude);
    ASSERT_EQ(Shown(kExclude).size(), 5u);
    EXPECT_EQ(Selected(kExclude), 4);

    HWND dialog = Open(kExclude, 3);  // the second of the two identical entries
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Chosen(dialog, IDC_EXCLUDE_KIND), 0);
    EXPECT_EQ(Chosen(dialog, kExclude.position), 3);
    Choose(dialog, IDC_EXCLUDE_KIND, 1);
    ASSERT_TRUE(End(dialog, kExclude.validate));
    ASSERT_TRUE(dialog = Open(kExclude, 4));
    EXPECT_EQ(Chosen(dialog, IDC_EXCLUDE_KIND), 1) << "a no rule opens on Keep";
    Choose(dialog, kExclude.position, 0);
    ASSERT_TRUE(End(dialog, kExclude.validate));
    ASSERT_TRUE(dialog = Open(kExclude, 2));
    Type(dialog, kExclude.value, "changed then escaped");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(dialog = Open(kExclude, 1));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);  // Enter abandons
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    const Entries expected = {"no => (path=\"*.doc\")", "yes => (path=\"*.bak\")", "yes => (path=\"*.tmp\")",
                              "yes => (path=\"C:\\Temp\\*\")", "no => (path=\"*.bak\")"};
    EXPECT_EQ(Shown(kExclude), expected);

    Go(kMd5);
    Go(kExclude);
    EXPECT_EQ(Shown(kExclude), expected) << "as saved, in the same order";
  }

  {
    SCOPED_TRACE("md5: a size criterion hides delete, a path criterion shows it");
    Go(kMd5);
    HWND dialog = Open(kMd5, 0);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kMd5.value)), "500");
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kMd5.remove)));
    Type(dialog, kMd5.value, "800");
    ASSERT_TRUE(End(dialog, kMd5.validate));
    ASSERT_TRUE(dialog = Add(kMd5));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kMd5.remove)));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kMd5.value)), "*.zzzzzzzz");
    ASSERT_TRUE(End(dialog, kMd5.validate));
    EXPECT_EQ(Shown(kMd5), (Entries{"md5 => (size>800)", "md5 => (path=\"*.zzzzzzzz\")"}));
  }

  {
    SCOPED_TRACE("compress: the extension form opens as a path and is stored so");
    Go(kCompress);
    HWND dialog = Open(kCompress, 0);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kCompress.value)), "*.doc");
    ASSERT_TRUE(End(dialog, kCompress.validate));
    EXPECT_EQ(Shown(kCompress), Entries{"gzip => (path=\"*.doc\")"});

    // From the keyboard: Tab reaches the list, Home picks its first rule, Enter edits it.
    for (int i = 0; i < 6 && FocusOf(editor_->main()) != List(kCompress); ++i) {
      const HWND from = FocusOf(editor_->main());
      PostMessageW(from, WM_KEYDOWN, VK_TAB, 0);
      WaitUntil([&] { return FocusOf(editor_->main()) != from; }, 2000);
    }
    ASSERT_EQ(FocusOf(editor_->main()), List(kCompress));
    SendMessageW(List(kCompress), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    PostMessageW(List(kCompress), WM_KEYDOWN, VK_HOME, 0);
    ASSERT_TRUE(WaitUntil([&] { return Selected(kCompress) == 0; }));
    PostMessageW(List(kCompress), WM_KEYDOWN, VK_RETURN, 0);
    dialog = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      return (dialog = FindProcessWindowWhere(GetProcessId(editor_->process()), [](HWND w) {
                return IsWindowVisible(w) && GetDlgItem(w, kCompress.value) && GetDlgItem(w, kCompress.position);
              })) != nullptr;
    }));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kCompress.value)), "*.doc");
    ASSERT_TRUE(End(dialog, kCompress.abandon));
    EXPECT_EQ(Shown(kCompress), Entries{"gzip => (path=\"*.doc\")"});
  }

  {
    SCOPED_TRACE("crypt: empty, a double click does nothing; too long is refused and the dialog stays");
    Go(kCrypt);
    EXPECT_TRUE(Shown(kCrypt).empty());
    EXPECT_EQ(Selected(kCrypt), -1);
    EXPECT_EQ(Open(kCrypt, 0, 1500), nullptr);
    HWND dialog = Add(kCrypt);
    ASSERT_TRUE(dialog);
    Type(dialog, kCrypt.value, std::string(380, 'x'));
    {
      auto box = editor_->AnswerBox(IDOK);
      Press(dialog, kCrypt.validate);
      const BoxSeen& seen = box->Join();
      EXPECT_TRUE(seen.found);
      EXPECT_NE(seen.text.find("383"), std::string::npos) << seen.text;
    }
    EXPECT_TRUE(IsWindow(dialog)) << "the user shortens it";
    Type(dialog, kCrypt.value, "C:\\Secret");
    ASSERT_TRUE(End(dialog, kCrypt.validate));
    EXPECT_EQ(Shown(kCrypt), Entries{"bf => (path=\"C:\\Secret*\")"});
  }

  {
    SCOPED_TRACE("crypt_path: a syntax error drops the rule");
    Go(kCryptPath);
    ASSERT_EQ(Shown(kCryptPath).size(), 1u);
    auto box = editor_->AnswerBox(IDOK);
    SendMessageW(List(kCryptPath), LB_SETCURSEL, 0, 0);
    PostMessageW(editor_->page(), WM_COMMAND, MAKEWPARAM(kCryptPath.list, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(List(kCryptPath)));
    const BoxSeen& seen = box->Join();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "Il y a une erreur de syntaxe dans ce fichier");
    EXPECT_EQ(seen.caption, "Config VAULTRINE 1.92");
    EXPECT_TRUE(WaitUntil([&] { return Shown(kCryptPath).empty(); }));
  }

  Go(kInclude);
  EXPECT_EQ(pages_->CloseSaving(), 0);

  const std::string after = kMark +
      "[general]\r\nov_obsolete=1\r\nobsolete=30d\r\ncryptkey=\r\nsummary=\r\n\r\n"
      "[include]\r\n\"C:\\Photos \xC3\xA9t\xC3\xA9\\\"\r\n\"C:\\Data\\\"\r\n#\"D:\\Off\\\"\r\n\r\n"
      "[destination]\r\n\"E:\\B\"\r\n\r\n"
      "[exclude]\r\nno => (path=\"*.doc\")\r\nyes => (path=\"*.bak\")\r\nyes => (path=\"*.tmp\")\r\n"
      "yes => (path=\"C:\\Temp\\*\")\r\nno => (path=\"*.bak\")\r\n\r\n"
      "[md5_compare]\r\nmd5 => (size>800)\r\nmd5 => (path=\"*.zzzzzzzz\")\r\n\r\n[old_versions]\r\n\r\n"
      "[compress]\r\ngzip => (path=\"*.doc\")\r\n\r\n[crypt]\r\nbf => (path=\"C:\\Secret*\")\r\n\r\n"
      "[crypt_path]\r\n\r\n[restore]\r\nC:\\R\\\r\n\r\n# eof\r\n";
  EXPECT_EQ(ReadFileBytes(path), after);
  EXPECT_EQ(ReadFileBytes(path + ".OLD"), kBefore);
}

// The compress dialog's template damaged in the program: a double click on the rule
// says the window could not open, and the rule stays where it was.
TEST_F(RulePages, AnEditWindowThatCannotOpenKeepsTheRule) {
  const std::string path = folder_.File("Vaultrine.ini");
  WriteFileBytes(path, kBefore);
  editor_ = std::make_unique<EditorDriver>(folder_, false);
  ASSERT_EQ(DamageDialogTemplate(folder_.File("ConfigVaultrine.exe"), 113), "");
  ASSERT_TRUE(editor_->Start());
  pages_ = std::make_unique<PageDriver>(*editor_);
  editor_->ClickAdvanced();
  ASSERT_TRUE(WaitUntil([&] { return editor_->TabCount() == config::kAdvancedTabCount; }));
  Go(kCompress);
  const Entries rules = {"gzip => (ext=\"doc\")"};
  ASSERT_EQ(Shown(kCompress), rules);
  auto box = editor_->AnswerBox(IDOK);
  SendMessageW(List(kCompress), LB_SETCURSEL, 0, 0);
  PostMessageW(editor_->page(), WM_COMMAND, MAKEWPARAM(kCompress.list, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(List(kCompress)));
  const BoxSeen& seen = box->Join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "The edit window could not be opened; the line stays as it was. Close some windows, then try again.");
  EXPECT_TRUE(WaitUntil([&] { return Shown(kCompress) == rules && Selected(kCompress) == 0; }));
  Go(kCrypt);
  Go(kCompress);
  EXPECT_EQ(Shown(kCompress), rules) << "and saved so";
  EXPECT_EQ(pages_->CloseSaving(), 0);
  EXPECT_EQ(ReadFileBytes(path), kBefore);
}

// In English, on an include list that is already full and an exclude list one line
// over: the opening names the longer list only, the add button refuses a 101st line,
// a commented rule keeps its mark unless validated, the file button fills in the full
// path and refuses one over 220 units, a drive root stays as it is.
TEST_F(RulePages, FullIncludeListCommentsAndChoosers) {
  const std::string general = "[general]\r\nov_obsolete=1\r\nobsolete=30d\r\ncryptkey=\r\nsummary=\r\n\r\n";
  const std::string rest =
      "[md5_compare]\r\n\r\n[old_versions]\r\n\r\n"
      "[compress]\r\n\r\n[crypt]\r\n\r\n[crypt_path]\r\n\r\n[restore]\r\nC:\\R\\\r\n\r\n# eof\r\n";
  Entries hundred = {"#\"D:\\Off\\\"", "\"C:\\Data\\\""};
  for (int i = 2; i < 100; ++i) hundred.push_back("\"C:\\R" + std::to_string(i) + "\\\"");
  Entries excludes;
  for (int i = 0; i < 101; ++i) excludes.push_back("yes => (path=\"*.e" + std::to_string(i) + "\")");
  auto file_with = [&](const Entries& include, const Entries& exclude) {
    std::string text = kMark + general + "[include]\r\n";
    for (const std::string& line : include) text += line + "\r\n";
    text += "\r\n[destination]\r\n\"E:\\B\"\r\n\r\n[exclude]\r\n";
    for (const std::string& line : exclude) text += line + "\r\n";
    return text + "\r\n" + rest;
  };
  const std::string path = folder_.File("Vaultrine.ini");
  WriteFileBytes(path, file_with(hundred, excludes));
  // The file the chooser picks, and one whose full path is 221 units.
  const std::string picked = folder_.File("picked.txt");
  WriteFileBytes(picked, "x");
  const std::string too_long = folder_.File(std::string(221 - folder_.path().size() - 5, 'n') + ".txt");
  ASSERT_EQ(too_long.size(), 221u);
  WriteFileBytes(too_long, "x");

  editor_ = std::make_unique<EditorDriver>(folder_, false);
  ASSERT_TRUE(editor_->Start());
  pages_ = std::make_unique<PageDriver>(*editor_);
  {
    auto box = editor_->AnswerBox(IDOK);
    Go(kInclude);
    const BoxSeen& seen = box->Join();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "These lists hold more than 100 lines: [exclude]\r\nOnly the first 100 of each are saved.");
  }
  EXPECT_EQ(TextOf(GetDlgItem(editor_->page(), IDC_INCLUDE_TITLE)), "Locations to back up");
  ASSERT_EQ(Shown(kInclude), hundred);

  {
    SCOPED_TRACE("a 101st line is refused with a message, the list unchanged");
    auto box = editor_->AnswerBox(IDOK);
    Press(editor_->page(), kInclude.list + 1);
    const BoxSeen& seen = box->Join();
    EXPECT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "This list already holds 100 lines, the most a parameter file keeps. Delete one first.");
    EXPECT_EQ(Shown(kInclude), hundred);
  }

  {
    SCOPED_TRACE("a commented rule: abandon keeps it, validate drops the mark, a typed # puts it back");
    HWND dialog = Open(kInclude, 0);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(dialog), "Edit a file or folder to include");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kInclude.value)), "D:\\Off\\");
    EXPECT_EQ(Choices(dialog, kInclude.position), 100);
    ASSERT_TRUE(End(dialog, kInclude.abandon));
    EXPECT_EQ(Shown(kInclude)[0], "#\"D:\\Off\\\"");
    ASSERT_TRUE(dialog = Open(kInclude, 0));
    ASSERT_TRUE(End(dialog, kInclude.validate));
    EXPECT_EQ(Shown(kInclude)[0], "\"D:\\Off\\\"");
    ASSERT_TRUE(dialog = Open(kInclude, 0));
    Type(dialog, kInclude.value, "#D:\\Off\\");
    ASSERT_TRUE(End(dialog, kInclude.validate));
    EXPECT_EQ(Shown(kInclude)[0], "#\"D:\\Off\\\"");
  }

  {
    SCOPED_TRACE("choosers: a file's full path, one over 220 units refused, a drive root as it is");
    HWND dialog = Open(kInclude, 1);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_INCLUDE_FILE)), "File");
    {
      FileChooserAnswerer chooser(L"Choose a file to back up", ToWide(picked), editor_->process());
      Press(dialog, IDC_INCLUDE_FILE);
      EXPECT_TRUE(chooser.Join().found);
    }
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, kInclude.value)) == picked; }))
        << TextOf(GetDlgItem(dialog, kInclude.value));
    {
      auto box = editor_->AnswerBox(IDOK);
      FileChooserAnswerer chooser(L"Choose a file to back up", ToWide(too_long), editor_->process());
      Press(dialog, IDC_INCLUDE_FILE);
      EXPECT_TRUE(chooser.Join().found);
      const BoxSeen& seen = box->Join();
      EXPECT_TRUE(seen.found);
      EXPECT_EQ(seen.text, "Selected full pathname exceeds 256 characters\n\nselect a shorter one");
    }
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kInclude.value)), picked) << "a refused path changes nothing";
    ASSERT_TRUE(End(dialog, kInclude.validate));
    EXPECT_EQ(Shown(kInclude)[1], "\"" + picked + "\"");

    ASSERT_TRUE(dialog = Open(kInclude, 2));
    {
      FolderChooserAnswerer chooser(L"C:\\", false, editor_->process());
      Press(dialog, kInclude.folder);
      EXPECT_TRUE(chooser.Join());
    }
    EXPECT_TRUE(WaitUntil([&] { return TextOf(GetDlgItem(dialog, kInclude.value)) == "C:\\"; }))
        << TextOf(GetDlgItem(dialog, kInclude.value));
    ASSERT_TRUE(End(dialog, kInclude.validate));
    EXPECT_EQ(Shown(kInclude)[2], "\"C:\\\"");
  }

  EXPECT_EQ(pages_->CloseSaving(), 0);
  Entries expected = hundred;
  expected[1] = "\"" + picked + "\"";
  expected[2] = "\"C:\\\"";
  excludes.pop_back();  // the 101st, of which the user was told
  EXPECT_EQ(ReadFileBytes(path), file_with(expected, excludes));
}

}  // namespace
}  // namespace vaultrine::uitest
