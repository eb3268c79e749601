// The six rule pages and their edit dialogs, the real program under Wine: one
// parameter file walked through every page in advanced mode, each page's cases
// driven through its list and its dialog, and the file written at the end compared
// byte for byte.
#include <gtest/gtest.h>

#include <vector>

#include "common/win/wide.h"
#include "config_editor/core/profile_file.h"
#include "tests/ui/config_editor/editor_driver.h"

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

// Tabs and the ids of each page's list and each dialog's controls.
struct Page {
  int tab, list;
  int value, folder, remove, validate, abandon, position;
};
constexpr Page kInclude{2, 1300, 1400, 1401, 1403, 1404, 1405, 1406};
constexpr Page kExclude{3, 1500, 1600, 1601, 1602, 1603, 1604, 1606};
constexpr Page kMd5{4, 1250, 1270, 0, 1272, 1271, 1273, 1274};
constexpr Page kCompress{5, 1700, 1800, 1801, 1802, 1803, 1804, 1805};
constexpr Page kCrypt{6, 1900, 2000, 2001, 2002, 2003, 2004, 2005};
constexpr Page kCryptPath{7, 2100, 2200, 2201, 2202, 2203, 2204, 2205};
constexpr int kExcludeKind = 1605;

using Entries = std::vector<std::string>;

class RulePages : public ::testing::Test {
 protected:
  void Go(const Page& p) {
    editor_->FocusTab(p.tab);
    ASSERT_TRUE(editor_->WaitForTab(p.tab));
    // The tab is selected before the page under it changes.
    ASSERT_TRUE(WaitUntil([&] { return List(p) != nullptr; }));
  }
  HWND List(const Page& p) const { return GetDlgItem(editor_->page(), p.list); }
  Entries Shown(const Page& p) const {
    Entries entries;
    HWND list = List(p);
    const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[600] = {};
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      entries.push_back(FromWide(text));
    }
    return entries;
  }
  int Selected(const Page& p) const { return static_cast<int>(SendMessageW(List(p), LB_GETCURSEL, 0, 0)); }

  HWND FindDialog(const Page& p) const {
    return FindProcessWindowWhere(GetProcessId(editor_->process()), [&](HWND w) {
      return IsWindowVisible(w) && GetDlgItem(w, p.value) && GetDlgItem(w, p.position);
    });
  }
  // A double click on entry `index`; the dialog it opens, or null.
  HWND Open(const Page& p, int index, int timeout_ms = 10000) {
    SendMessageW(List(p), LB_SETCURSEL, index, 0);
    PostMessageW(editor_->page(), WM_COMMAND, MAKEWPARAM(p.list, LBN_DBLCLK), reinterpret_cast<LPARAM>(List(p)));
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(p)) != nullptr; }, timeout_ms);
    return dialog;
  }
  HWND Add(const Page& p) {
    HWND button = GetDlgItem(editor_->page(), p.list + 1);
    PostMessageW(editor_->page(), WM_COMMAND, MAKEWPARAM(p.list + 1, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(p)) != nullptr; });
    return dialog;
  }
  static void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
  // Presses `id` and waits for the dialog to end.
  static bool End(HWND dialog, int id) {
    Press(dialog, id);
    return WaitUntil([&] { return !IsWindow(dialog); });
  }
  static void Type(HWND dialog, int id, const std::string& text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  }
  static void Choose(HWND dialog, int combo, int index) {
    SendMessageW(GetDlgItem(dialog, combo), CB_SETCURSEL, index, 0);
  }
  static int Chosen(HWND dialog, int combo) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, combo), CB_GETCURSEL, 0, 0));
  }
  static int Choices(HWND dialog, int combo) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, combo), CB_GETCOUNT, 0, 0));
  }

  ScratchFolder folder_;
  std::unique_ptr<EditorDriver> editor_;
};

TEST_F(RulePages, EveryPageThroughItsDialogToTheWrittenFile) {
  const std::string path = folder_.File("Vaultrine.ini");
  WriteFileBytes(path, kBefore);
  editor_ = std::make_unique<EditorDriver>(folder_, true);
  ASSERT_TRUE(editor_->Start());
  editor_->ClickAdvanced();
  ASSERT_TRUE(WaitUntil([&] { return editor_->TabCount() == 8; }));

  {
    SCOPED_TRACE("include: quotes put back, placeholder, folder chooser, position 1");
    Go(kInclude);
    EXPECT_EQ(TextOf(GetDlgItem(editor_->page(), 1302)), "Emplacements \xC3\xA0 sauvegarder");
    EXPECT_EQ(TextOf(GetDlgItem(editor_->page(), 1301)), "Ajouter une ligne");
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
    EXPECT_EQ(Chosen(dialog, kExcludeKind), 0);
    EXPECT_EQ(Chosen(dialog, kExclude.position), 3);
    Choose(dialog, kExcludeKind, 1);
    ASSERT_TRUE(End(dialog, kExclude.validate));
    ASSERT_TRUE(dialog = Open(kExclude, 4));
    EXPECT_EQ(Chosen(dialog, kExcludeKind), 1) << "a no rule opens on Keep";
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
  PostMessageW(editor_->tabs(), WM_KEYDOWN, VK_ESCAPE, 0);
  HWND question = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (question = editor_->FindEndQuestion()) != nullptr; }));
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(2251, BN_CLICKED), 0);
  EXPECT_EQ(editor_->WaitForExit(), 0);

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

}  // namespace
}  // namespace vaultrine::uitest
