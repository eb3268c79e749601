// The editor's main window and its parameter-file page, the real program under
// Wine: start-up, tabs, advanced mode, the close sequence, the choosers through
// the two pictures, and the system menu. Each case starts ConfigVaultrine.exe in a
// scratch program folder and checks what it shows and what it leaves on disk.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "tests/ui/config_editor/page_driver.h"

namespace vaultrine::uitest {
namespace {

using win::ToWide;

const std::string kMark = "\xEF\xBB\xBF";
const std::string kBody =
    "[general]\r\nov_obsolete=\r\nobsolete=30d\r\n# kept as is\r\n\r\n[include]\r\nC:\\Data\\\r\n"
    "#\"D:\\Off\\\"\r\n\r\n[destination]\r\n\"E:\\B\" ,name=DISQUE1 , search\r\n\r\n[exclude]\r\n"
    "yes => (path=\"*.tmp\")\r\n\r\n[md5_compare]\r\n\r\n[old_versions]\r\n\r\n[compress]\r\n\r\n"
    "[crypt]\r\n\r\n[crypt_path]\r\n\r\n[restore]\r\nC:\\R\r\n\r\n# eof\r\n";
// The same file once saved: the include entry gets its quotes.
const std::string kSavedBody = [] {
  std::string s = kBody;
  return s.replace(s.find("C:\\Data\\\r\n"), 10, "\"C:\\Data\\\"\r\n");
}();
const std::string kIncompatible = kMark + "[general]\r\nobsolete=30d\r\n\r\n[include]\r\n";

const wchar_t* const kLabelsEn[] = {L"Parameter file", L"General",   L"Include",          L"Exclude",
                                    L"MD5 check",      L"Compress",  L"Encrypt contents", L"Encrypt names"};
const wchar_t* const kLabelsFr[] = {L"Fichier param\u00E8tre", L"G\u00E9n\u00E9ral", L"Inclure",
                                    L"Exclure",                L"Contr\u00F4le Md5",  L"Compresser",
                                    L"Crypter contenus",       L"Crypter noms"};

// Inside the two pictures of the parameter-file page.
constexpr int kNewX = 810, kNewY = 80, kExistingX = 810, kExistingY = 130;

std::set<std::string> Listing(const ScratchFolder& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(ToWide(folder.File("*")).c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = win::FromWide(found.cFileName);
    if (name != "." && name != ".." && name != "locale" && name != "ConfigVaultrine.exe" &&
        name != "ConfigVaultrine.mes" && name.find("_Template_TSN.tsn") == std::string::npos)
      names.insert(name);
  } while (FindNextFileW(h, &found));
  FindClose(h);
  return names;
}

std::wstring ComboText(HWND combo, int index) {
  wchar_t text[64] = {};
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string EndQuestionText(HWND question) { return TextOf(GetDlgItem(question, IDC_END_TEXT)); }

class Editor : public ::testing::Test {
 protected:
  std::unique_ptr<EditorDriver> Start(bool french = false) {
    auto editor = std::make_unique<EditorDriver>(folder_, french);
    EXPECT_TRUE(editor->Start());
    return editor;
  }
  // Visits `tab` and comes back: the file is converted on the way.
  void VisitAndReturn(EditorDriver& editor, int tab) {
    editor.FocusTab(tab);
    ASSERT_TRUE(editor.WaitForTab(tab));
    editor.FocusTab(0);
    ASSERT_TRUE(editor.WaitForTab(0));
  }
  HWND WaitForEndQuestion(EditorDriver& editor) {
    HWND question = nullptr;
    WaitUntil([&] { return (question = editor.FindEndQuestion()) != nullptr; });
    return question;
  }
  // Escape on the tab control starts the close sequence.
  void PressEscape(EditorDriver& editor) { PostMessageW(editor.tabs(), WM_KEYDOWN, VK_ESCAPE, 0); }

  ScratchFolder folder_;
};

TEST_F(Editor, StartupChoosesOnlyACompatibleFileAndClosingLeavesItAlone) {
  struct Case {
    const char* name;
    bool french;
    std::string file;  // Vaultrine.ini, none when empty
    bool chosen;
  };
  const Case cases[] = {
      {"no parameter file", false, "", false},
      {"compatible file", true, kMark + kBody, true},
      {"incompatible file", false, kIncompatible, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    if (!c.file.empty()) WriteFileBytes(folder.File("Vaultrine.ini"), c.file);
    EditorDriver editor(folder, c.french);
    ASSERT_TRUE(editor.Start()) << "a message at start would keep the window from showing";
    const std::string path = c.chosen ? folder.File("Vaultrine.ini") : "";
    EXPECT_EQ(editor.PathShown(), path);
    EXPECT_EQ(editor.Caption(), "Config VAULTRINE 1.92 - " + path);
    EXPECT_EQ(FileExists(folder.File("Vaultrine.ini.@@@")), c.chosen);
    if (c.chosen) {
      EXPECT_EQ(ReadFileBytes(folder.File("Vaultrine.ini.@@@")), kBody);
    }
    EXPECT_FALSE(FileExists(folder.File("ZZZ_Vaultrine.ini.@@@.tmp")));

    // The page's texts in the language of the catalog; the language list hidden.
    const auto& labels = c.french ? kLabelsFr : kLabelsEn;
    ASSERT_EQ(editor.TabCount(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(editor.TabLabel(i), labels[i]);
    HWND page = editor.page();
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_FILE_LABEL)),
              c.french ? "Fichier param\xC3\xA8tre en cours de modification" : "Parameter file being edited");
    EXPECT_EQ(TextOf(GetDlgItem(page, IDC_ADVANCED)),
              c.french ? "Param\xC3\xA9trage avanc\xC3\xA9" : "Advanced settings");
    EXPECT_EQ(SendMessageW(GetDlgItem(page, IDC_ADVANCED), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    HWND list = GetDlgItem(page, IDC_LANGUAGE_LIST);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_LANGUAGE_ICON)));
    EXPECT_EQ(ComboText(list, 0), L"English");
    EXPECT_EQ(ComboText(list, 1), L"Fran\u00E7ais");
    EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), c.french ? 1 : 0);
    // The two pictures lie exactly on the page's hot regions, inside the page.
    std::vector<RECT> pictures;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
      pictures.push_back(r);
    }
    ASSERT_EQ(pictures.size(), 2u);
    // Exactly at 96 dpi; on a finer screen the dialog units and the regions scale
    // apart by a rounding, so a pixel of play.
    const int dpi = win::ScreenDpi(), play = dpi == 96 ? 0 : 2;
    const PixelRect regions[] = {ScaleForDpi(PixelRect{795, 65, 832, 100}, dpi),
                                 ScaleForDpi(PixelRect{795, 116, 832, 149}, dpi)};
    for (int i = 0; i < 2; ++i) {
      const RECT& r = pictures[i];
      const PixelRect& want = regions[i];
      EXPECT_TRUE(std::abs(r.left - want.left) <= play && std::abs(r.top - want.top) <= play &&
                  std::abs(r.right - want.right) <= play && std::abs(r.bottom - want.bottom) <= play)
          << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    RECT rc;
    GetClientRect(page, &rc);
    EXPECT_GT(rc.right, 832);

    // Closed right away: nothing asked, nothing written, the working copy gone.
    PressEscape(editor);
    EXPECT_EQ(editor.WaitForExit(), 0);
    EXPECT_EQ(Listing(folder), c.file.empty() ? std::set<std::string>{} : std::set<std::string>{"Vaultrine.ini"});
    if (!c.file.empty()) {
      EXPECT_EQ(ReadFileBytes(folder.File("Vaultrine.ini")), c.file);
    }
  }
}

// The drawn pictures as the build put them in the program: sizes, cursor hot spot.
TEST_F(Editor, PicturesHaveTheirSizes) {
  EditorDriver install(folder_, false);
  HMODULE program = LoadLibraryExW(ToWide(folder_.File("ConfigVaultrine.exe")).c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(program);
  struct Case {
    const wchar_t* name;
    int width, height;
  };
  const Case bitmaps[] = {{L"NOUVEAUU", 37, 35}, {L"ANCIENU", 37, 33}, {MAKEINTRESOURCEW(152), 34, 34}};
  for (const Case& c : bitmaps) {
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageW(program, c.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bmp);
    BITMAP info{};
    GetObjectW(bmp, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, c.width);
    EXPECT_EQ(info.bmHeight, c.height);
    DeleteObject(bmp);
  }
  for (int icon : {150, 151}) {
    HICON h = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(icon), IMAGE_ICON, 16, 16, 0));
    EXPECT_TRUE(h) << icon;
    if (h) DestroyIcon(h);
  }
  // At its own size (32 pixels): the system's size grows with the screen, and the hotspot with it.
  HCURSOR pointer = static_cast<HCURSOR>(LoadImageW(program, MAKEINTRESOURCEW(160), IMAGE_CURSOR, 0, 0, 0));
  ASSERT_TRUE(pointer);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(pointer, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 13u);
  EXPECT_EQ(info.yHotspot, 1u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DestroyCursor(pointer);
  FreeLibrary(program);
}

TEST_F(Editor, TabsFollowTheSelectionWhateverMovesIt) {
  {
    // No file: the other tabs refuse and tab 0 comes back.
    auto editor = Start();
    for (int tab : {2, 1}) {
      auto box = editor->AnswerBox(IDOK);
      if (tab == 2) {
        editor->FocusTab(tab);
      } else {
        editor->ClickTab(tab);
      }
      const BoxSeen& seen = box->Join();
      ASSERT_TRUE(seen.found);
      EXPECT_EQ(seen.text, "Vous n'avez pas choisi de fichier param\xC3\xA8tre \xC3\xA0 configurer");
      EXPECT_EQ(seen.caption, "Config VAULTRINE 1.92");
      EXPECT_TRUE(editor->WaitForTab(0));
      EXPECT_EQ(editor->PathShown(), "");
    }
    PressEscape(*editor);
    EXPECT_EQ(editor->WaitForExit(), 0);
  }
  WriteFileBytes(folder_.File("Vaultrine.ini"), kMark + kBody);
  auto editor = Start();
  // A click, the keyboard, and TCM_SETCURFOCUS all switch the page.
  editor->ClickTab(1);
  ASSERT_TRUE(editor->WaitForTab(1));
  EXPECT_TRUE(FileExists(folder_.File("ZZZ_Vaultrine.ini.@@@.tmp")));
  SetForegroundWindow(editor->main());
  PostMessageW(editor->tabs(), WM_KEYDOWN, VK_RIGHT, 0);
  ASSERT_TRUE(editor->WaitForTab(2));
  editor->FocusTab(3);
  ASSERT_TRUE(editor->WaitForTab(3));
  editor->FocusTab(0);
  ASSERT_TRUE(editor->WaitForTab(0));
  EXPECT_EQ(editor->PathShown(), folder_.File("Vaultrine.ini"));
  // Tab walks from the tab control through the page's controls and back.
  auto focused = [&] { return FocusOf(editor->main()); };
  HWND page0 = editor->page();
  const HWND walk[] = {editor->tabs(), GetDlgItem(page0, IDC_PARAMETER_PATH), GetDlgItem(page0, IDC_ADVANCED), editor->tabs()};
  ASSERT_TRUE(WaitUntil([&] { return focused() == walk[0]; }));
  for (size_t i = 1; i < std::size(walk); ++i) {
    PostMessageW(focused(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(WaitUntil([&] { return focused() == walk[i]; })) << "step " << i;
  }
  // Enter on the tab control ends nothing: the next posted switch still happens.
  PostMessageW(editor->tabs(), WM_KEYDOWN, VK_RETURN, 0);
  editor->FocusTab(1);
  ASSERT_TRUE(editor->WaitForTab(1));
  EXPECT_TRUE(editor->Running());
  EXPECT_EQ(editor->FindEndQuestion(), nullptr);
  // The page sits over the tab control, inside its display area.
  RECT tabs, page;
  GetWindowRect(editor->tabs(), &tabs);
  GetWindowRect(editor->page(), &page);
  EXPECT_GT(page.left, tabs.left);
  EXPECT_GT(page.top, tabs.top + 10);
  EXPECT_LE(page.right, tabs.right);
  EXPECT_LE(page.bottom, tabs.bottom);
}

TEST_F(Editor, AdvancedModeGivesEightTabsAndKeepsTheFile) {
  WriteFileBytes(folder_.File("Vaultrine.ini"), kMark + kBody);
  auto editor = Start();
  VisitAndReturn(*editor, 1);
  for (bool advanced : {true, false, true}) {
    SCOPED_TRACE(advanced ? "on" : "off");
    editor->ClickAdvanced();
    ASSERT_TRUE(WaitUntil([&] { return editor->TabCount() == (advanced ? 8 : 4) && editor->FilePageShown(); }));
    for (int i = 0; i < editor->TabCount(); ++i) EXPECT_EQ(editor->TabLabel(i), kLabelsEn[i]);
    EXPECT_EQ(editor->SelectedTab(), 0);
    EXPECT_EQ(SendMessageW(GetDlgItem(editor->page(), IDC_ADVANCED), BM_GETCHECK, 0, 0),
              advanced ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(editor->PathShown(), folder_.File("Vaultrine.ini"));
    EXPECT_TRUE(FileExists(folder_.File("ZZZ_Vaultrine.ini.@@@.tmp")));
  }
  editor->FocusTab(7);
  EXPECT_TRUE(editor->WaitForTab(7));
}

// Closing after another tab was visited: the main window minimises and the end
// question names the file. Each row answers it differently.
TEST_F(Editor, CloseSequence) {
  enum class Answer { kNo, kYes, kEscapeThenNo };
  struct Case {
    const char* name;
    bool french;
    Answer answer;
  };
  const Case cases[] = {
      {"endno", false, Answer::kNo},
      {"endyes", true, Answer::kYes},
      {"escape goes back to the editor", false, Answer::kEscapeThenNo},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder folder;
    const std::string path = folder.File("Vaultrine.ini");
    WriteFileBytes(path, kMark + kBody);
    EditorDriver editor(folder, c.french);
    ASSERT_TRUE(editor.Start());
    VisitAndReturn(editor, 2);
    PressEscape(editor);
    HWND question = WaitForEndQuestion(editor);
    ASSERT_TRUE(question);
    EXPECT_TRUE(IsIconic(editor.main()));
    EXPECT_EQ(EndQuestionText(question),
              c.french ? "Enregistrer les modifications du fichier param\xC3\xA8tre\r\n" + path +
                             "\r\navant de le fermer ?"
                       : "Save the changes to the parameter file\r\n" + path + "\r\nbefore closing it?");
    EXPECT_EQ(TextOf(GetDlgItem(question, IDC_END_YES)), c.french ? "Oui" : "Yes");
    EXPECT_EQ(TextOf(GetDlgItem(question, IDC_END_NO)), c.french ? "Non" : "No");
    EXPECT_EQ(TextOf(question), "Config VAULTRINE 1.92");

    if (c.answer == Answer::kEscapeThenNo) {
      PostMessageW(question, WM_COMMAND, IDCANCEL, 0);
      ASSERT_TRUE(WaitUntil([&] { return !IsIconic(editor.main()) && !editor.FindEndQuestion(); }));
      EXPECT_TRUE(editor.Running());
      EXPECT_TRUE(editor.FilePageShown());
      EXPECT_TRUE(FileExists(folder.File("ZZZ_Vaultrine.ini.@@@.tmp")));
      PressEscape(editor);
      question = WaitForEndQuestion(editor);
      ASSERT_TRUE(question);
    }
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(c.answer == Answer::kYes ? 2251 : 2252, BN_CLICKED), 0);
    EXPECT_EQ(editor.WaitForExit(), 0);
    if (c.answer == Answer::kYes) {
      EXPECT_EQ(Listing(folder), (std::set<std::string>{"Vaultrine.ini", "Vaultrine.ini.OLD"}));
      EXPECT_EQ(ReadFileBytes(path), kMark + kSavedBody);
      EXPECT_EQ(ReadFileBytes(path + ".OLD"), kMark + kBody);
    } else {
      EXPECT_EQ(Listing(folder), std::set<std::string>{"Vaultrine.ini"});
      EXPECT_EQ(ReadFileBytes(path), kMark + kBody);
    }
  }
  // A file the editor wrote, saved again without a change, comes out the same. (The
  // general page would add the keys this short file lacks, so the visit is to the
  // include page.)
  ScratchFolder folder;
  const std::string path = folder.File("Vaultrine.ini");
  WriteFileBytes(path, kMark + kSavedBody);
  EditorDriver editor(folder, false);
  ASSERT_TRUE(editor.Start());
  VisitAndReturn(editor, 2);
  PressEscape(editor);
  HWND question = WaitForEndQuestion(editor);
  ASSERT_TRUE(question);
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_YES, BN_CLICKED), 0);
  EXPECT_EQ(editor.WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(path), kMark + kSavedBody);
  EXPECT_EQ(ReadFileBytes(path + ".OLD"), kMark + kSavedBody);
}

// "New" through the save chooser, in both modes: the template of the mode, and
// the file itself only once the user says yes at close.
TEST_F(Editor, NewFileFromTheTemplateOfTheMode) {
  for (bool advanced : {false, true}) {
    SCOPED_TRACE(advanced ? "advanced" : "normal");
    ScratchFolder folder;
    EditorDriver editor(folder, false);
    ASSERT_TRUE(editor.Start());
    if (advanced) {
      editor.ClickAdvanced();
      ASSERT_TRUE(WaitUntil([&] { return editor.TabCount() == 8 && editor.FilePageShown(); }));
    }
    const std::string path = folder.File("Fresh.ini");
    {
      FileChooserAnswerer chooser(L"New parameter file", L"Fresh.ini", editor.process());
      editor.ClickPage(kNewX, kNewY);
      const ChooserSeen& seen = chooser.Join();
      ASSERT_TRUE(seen.found);
      EXPECT_EQ(seen.proposed_name, "Vaultrine.ini");
    }
    ASSERT_TRUE(WaitUntil([&] { return editor.PathShown() == path; }));
    EXPECT_EQ(editor.Caption(), "Config VAULTRINE 1.92 - " + path);
    const std::string original =
        ReadFileBytes(folder.File(advanced ? "High_Template_TSN.tsn" : "Low_Template_TSN.tsn"));
    ASSERT_EQ(original.substr(0, 3), kMark);
    EXPECT_EQ(ReadFileBytes(path + ".@@@"), original.substr(3));
    EXPECT_FALSE(FileExists(path));
    VisitAndReturn(editor, 1);
    PressEscape(editor);
    HWND question = WaitForEndQuestion(editor);
    ASSERT_TRUE(question);
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_YES, BN_CLICKED), 0);
    EXPECT_EQ(editor.WaitForExit(), 0);
    EXPECT_EQ(ReadFileBytes(path), original);
    EXPECT_EQ(Listing(folder), std::set<std::string>{"Fresh.ini"});
  }
  // With a Vaultrine.ini in the folder the chooser proposes no name; cancelling
  // it keeps the file chosen.
  WriteFileBytes(folder_.File("Vaultrine.ini"), kMark + kBody);
  auto editor = Start();
  FileChooserAnswerer chooser(L"New parameter file", L"", editor->process());
  editor->ClickPage(kNewX, kNewY);
  const ChooserSeen& seen = chooser.Join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.proposed_name, "");
  editor->FocusTab(1);
  ASSERT_TRUE(editor->WaitForTab(1));
  EXPECT_EQ(Listing(folder_),
            (std::set<std::string>{"Vaultrine.ini", "Vaultrine.ini.@@@", "ZZZ_Vaultrine.ini.@@@.tmp"}));
}

// "Existing" through the open chooser: an edited file is settled first (here
// discarded), an incompatible file is refused with its message, and nothing of
// either stays on disk.
TEST_F(Editor, OpenRefusesAnIncompatibleFileAndLeavesNothingOfThePrevious) {
  WriteFileBytes(folder_.File("bad.ini"), kIncompatible);
  WriteFileBytes(folder_.File("good.ini"), kMark + kBody);
  auto editor = Start();
  ASSERT_EQ(editor->PathShown(), folder_.File("good.ini")) << "the first compatible file";
  VisitAndReturn(*editor, 3);
  FileChooserAnswerer chooser(L"Open a parameter file", L"bad.ini", editor->process());
  editor->ClickPage(kExistingX, kExistingY);
  ASSERT_TRUE(chooser.Join().found);
  HWND question = WaitForEndQuestion(*editor);
  ASSERT_TRUE(question) << "good.ini was edited";
  EXPECT_NE(EndQuestionText(question).find(folder_.File("good.ini")), std::string::npos);
  auto box = editor->AnswerBox(IDOK);
  PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_NO, BN_CLICKED), 0);
  const BoxSeen& seen = box->Join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Ce fichier " + folder_.File("bad.ini.@@@") + "\n\nn'est pas compatible avec Tesseron");
  ASSERT_TRUE(WaitUntil([&] { return editor->Caption() == "Config VAULTRINE 1.92 - "; }));
  EXPECT_EQ(editor->PathShown(), "");
  EXPECT_EQ(Listing(folder_), (std::set<std::string>{"bad.ini", "good.ini"}));
  EXPECT_EQ(ReadFileBytes(folder_.File("good.ini")), kMark + kBody);

  // Opening the good file again: nothing to settle, chosen at once.
  FileChooserAnswerer again(L"Open a parameter file", L"good.ini", editor->process());
  editor->ClickPage(kExistingX, kExistingY);
  ASSERT_TRUE(again.Join().found);
  ASSERT_TRUE(WaitUntil([&] { return editor->PathShown() == folder_.File("good.ini"); }));
  EXPECT_EQ(editor->FindEndQuestion(), nullptr);
  EXPECT_EQ(Listing(folder_), (std::set<std::string>{"bad.ini", "good.ini", "good.ini.@@@"}));
}

// A save that fails (the parameter file held open by another program) keeps the
// file and the edits of the session, both before another file and at the close:
// the user goes on, and saves once the file is free.
TEST_F(Editor, AFailedSaveKeepsTheFileAndItsEdits) {
  const std::string good = folder_.File("good.ini"), other = folder_.File("other.ini");
  WriteFileBytes(good, kMark + kBody);
  WriteFileBytes(other, kMark + kBody);
  auto editor = Start();
  ASSERT_EQ(editor->PathShown(), good);
  PageDriver pages(*editor);
  ASSERT_TRUE(pages.Go(1, IDC_DELAY));
  PageDriver::Type(editor->page(), IDC_DELAY, "45");
  editor->FocusTab(0);
  ASSERT_TRUE(editor->WaitForTab(0));

  const std::string cannot_save = "Echec lors de la cr\xC3\xA9" "ation du fichier param\xC3\xA8tre";
  {
    SCOPED_TRACE("opening another file: the save fails, good.ini stays chosen");
    HeldFile held(good, GENERIC_READ, 0);
    ASSERT_TRUE(held.held());
    FileChooserAnswerer chooser(L"Open a parameter file", L"other.ini", editor->process());
    editor->ClickPage(kExistingX, kExistingY);
    ASSERT_TRUE(chooser.Join().found);
    HWND question = WaitForEndQuestion(*editor);
    ASSERT_TRUE(question);
    auto box = editor->AnswerBox(IDOK);
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_YES, BN_CLICKED), 0);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, cannot_save);
    ASSERT_TRUE(WaitUntil([&] { return !editor->FindEndQuestion(); }));
    EXPECT_EQ(editor->PathShown(), good);
    EXPECT_EQ(editor->Caption(), "Config VAULTRINE 1.92 - " + good);
  }
  // Every tab still works on good.ini with the edit.
  ASSERT_TRUE(pages.Go(1, IDC_DELAY));
  EXPECT_EQ(PageDriver::Field(editor->page(), IDC_DELAY), "45");
  EXPECT_EQ(editor->FindMessageBox(), nullptr);

  {
    SCOPED_TRACE("closing: the save fails, the editor stays with the edit");
    HeldFile held(good, GENERIC_READ, 0);
    ASSERT_TRUE(held.held());
    PressEscape(*editor);
    HWND question = WaitForEndQuestion(*editor);
    ASSERT_TRUE(question);
    auto box = editor->AnswerBox(IDOK);
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDC_END_YES, BN_CLICKED), 0);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, cannot_save);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(editor->main()) && !editor->FindEndQuestion(); }));
    EXPECT_TRUE(editor->Running());
  }
  EXPECT_EQ(ReadFileBytes(good), kMark + kBody);
  ASSERT_TRUE(pages.Go(1, IDC_DELAY));
  EXPECT_EQ(PageDriver::Field(editor->page(), IDC_DELAY), "45");
  EXPECT_EQ(pages.CloseSaving(), 0);
  std::string saved = kMark + kSavedBody;
  saved.replace(saved.find("obsolete=30d"), 12, "obsolete=45d");
  // The general page writes the keys this short file lacks.
  saved.replace(saved.find("# kept as is\r\n") + 14, 0, "cryptkey=*****\r\nsummary=\"*****\"\r\n");
  EXPECT_EQ(ReadFileBytes(good), saved);
  EXPECT_EQ(ReadFileBytes(good + ".OLD"), kMark + kBody);
  EXPECT_EQ(Listing(folder_), (std::set<std::string>{"good.ini", "good.ini.OLD", "other.ini"}));
}

// One editor per parameter file. A second editor started on the same folder says
// the file is being edited, brings the first (minimised) to the front and ends,
// leaving the first one's companions as they were; a third, started elsewhere, is
// refused the same file on its first tab, its path in another case, for opening and
// for creating, and keeps nothing chosen. The first then saves its edit.
TEST_F(Editor, ASecondEditorLeavesTheFirstOnesFileAlone) {
  const std::string path = folder_.File("Vaultrine.ini");
  const std::string working = path + ".@@@", internal = folder_.File("ZZZ_Vaultrine.ini.@@@.tmp");
  WriteFileBytes(path, kMark + kBody);
  auto first = Start();
  PageDriver pages(*first);
  ASSERT_TRUE(pages.Go(1, IDC_DELAY));
  PageDriver::Type(first->page(), IDC_DELAY, "45");
  first->FocusTab(2);
  ASSERT_TRUE(first->WaitForTab(2));
  const std::string working_bytes = ReadFileBytes(working), internal_bytes = ReadFileBytes(internal);
  ASSERT_NE(internal_bytes.find("obsolete=45d"), std::string::npos);
  const std::string held = " is already open in another Config VAULTRINE window, now brought to the front.\r\n"
                           "Go on there, or close it first.";
  auto first_in_front = [&] {
    return WaitUntil([&] { return !IsIconic(first->main()) && GetForegroundWindow() == first->main(); });
  };
  auto minimise_first = [&] {
    PostMessageW(first->main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return WaitUntil([&] { return IsIconic(first->main()) != FALSE; });
  };
  {
    SCOPED_TRACE("a second editor on the same folder");
    ASSERT_TRUE(minimise_first());
    EditorDriver second(folder_.path());
    ASSERT_TRUE(second.Launch());
    auto box = second.AnswerBox(IDOK);
    const BoxSeen& seen = box->Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, path + held);
    EXPECT_EQ(seen.caption, "Config VAULTRINE 1.92");
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_TRUE(first_in_front());
  }
  EXPECT_EQ(ReadFileBytes(working), working_bytes);
  EXPECT_EQ(ReadFileBytes(internal), internal_bytes);
  {
    SCOPED_TRACE("a third editor's first tab");
    ScratchFolder elsewhere;
    EditorDriver third(elsewhere, true);
    ASSERT_TRUE(third.Start());
    ASSERT_EQ(third.PathShown(), "");
    // The same file, named in upper case.
    std::string upper = path;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    const struct {
      const wchar_t* title;
      int x, y;
    } choosers[] = {{L"Ouvrir un fichier param\u00E8tre", kExistingX, kExistingY},
                    {L"Nouveau fichier param\u00E8tre", kNewX, kNewY}};
    for (const auto& c : choosers) {
      ASSERT_TRUE(minimise_first());
      auto box = third.AnswerBox(IDOK);
      FileChooserAnswerer chooser(c.title, ToWide(upper), third.process());
      third.ClickPage(c.x, c.y);
      ASSERT_TRUE(chooser.Join().found);
      const BoxSeen& seen = box->Join();
      ASSERT_TRUE(seen.found);
      EXPECT_NE(seen.text.find(" est d\xC3\xA9j\xC3\xA0 ouvert dans une autre fen\xC3\xAAtre Config VAULTRINE"),
                std::string::npos)
          << seen.text;
      EXPECT_TRUE(first_in_front());
      EXPECT_TRUE(WaitUntil([&] { return third.Caption() == "Config VAULTRINE 1.92 - "; }));
      EXPECT_EQ(third.PathShown(), "");
    }
    PressEscape(third);
    EXPECT_EQ(third.WaitForExit(), 0);
    EXPECT_EQ(Listing(elsewhere), std::set<std::string>{});
  }
  EXPECT_EQ(ReadFileBytes(working), working_bytes);
  EXPECT_EQ(ReadFileBytes(internal), internal_bytes);

  EXPECT_EQ(pages.CloseSaving(), 0);
  std::string saved = kMark + kSavedBody;
  saved.replace(saved.find("obsolete=30d"), 12, "obsolete=45d");
  saved.replace(saved.find("# kept as is\r\n") + 14, 0, "cryptkey=*****\r\nsummary=\"*****\"\r\n");
  EXPECT_EQ(ReadFileBytes(path), saved);
  EXPECT_EQ(Listing(folder_), (std::set<std::string>{"Vaultrine.ini", "Vaultrine.ini.OLD"}));
}

// An editor killed half-way leaves its companions behind but holds nothing: the
// next one takes the file as ever, the leftover conversion forgotten, and saves.
TEST_F(Editor, AfterAKilledEditorTheNextOneOpensTheFile) {
  const std::string path = folder_.File("Vaultrine.ini");
  WriteFileBytes(path, kMark + kBody);
  {
    auto killed = Start();
    PageDriver pages(*killed);
    ASSERT_TRUE(pages.Go(1, IDC_DELAY));
    PageDriver::Type(killed->page(), IDC_DELAY, "45");
    killed->FocusTab(2);
    ASSERT_TRUE(killed->WaitForTab(2));
    ASSERT_TRUE(TerminateProcess(killed->process(), 1));
    EXPECT_EQ(killed->WaitForExit(), 1);
  }
  ASSERT_EQ(Listing(folder_),
            (std::set<std::string>{"Vaultrine.ini", "Vaultrine.ini.@@@", "ZZZ_Vaultrine.ini.@@@.tmp"}));
  auto next = Start();
  ASSERT_TRUE(next->main()) << "a message at start would keep the window from showing";
  EXPECT_EQ(next->PathShown(), path);
  EXPECT_EQ(Listing(folder_), (std::set<std::string>{"Vaultrine.ini", "Vaultrine.ini.@@@"}));
  PageDriver pages(*next);
  ASSERT_TRUE(pages.Go(1, IDC_DELAY));
  EXPECT_EQ(PageDriver::Field(next->page(), IDC_DELAY), "30");
  PageDriver::Type(next->page(), IDC_DELAY, "60");
  EXPECT_EQ(pages.CloseSaving(), 0);
  EXPECT_NE(ReadFileBytes(path).find("obsolete=60d\r\n"), std::string::npos);
  EXPECT_EQ(Listing(folder_), (std::set<std::string>{"Vaultrine.ini", "Vaultrine.ini.OLD"}));
}

TEST_F(Editor, SystemMenuCarriesOutOnlyMoveMinimiseCloseRestore) {
  auto editor = Start();
  RECT before, after;
  GetWindowRect(editor->main(), &before);
  const WPARAM refused_commands[] = {SC_MAXIMIZE, SC_SIZE, SC_SIZE + 8 /* bottom-right border */, 0xF032};
  for (WPARAM refused : refused_commands)
    PostMessageW(editor->main(), WM_SYSCOMMAND, refused, 0);
  // Posted messages run in order: once minimised, the refused ones have been seen.
  PostMessageW(editor->main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(editor->main()) != FALSE; }));
  EXPECT_FALSE(IsZoomed(editor->main()));
  PostMessageW(editor->main(), WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(editor->main()); }));
  GetWindowRect(editor->main(), &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_TRUE(editor->FilePageShown());
  PostMessageW(editor->main(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(editor->WaitForExit(), 0);
}

}  // namespace
}  // namespace vaultrine::uitest
