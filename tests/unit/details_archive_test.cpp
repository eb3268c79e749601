#include "backup_support/details_archive.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "backup_support/file_lists.h"
#include "temp_dir.h"

namespace vaultrine::backup {
namespace {

using testing::ChangeDir;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

const std::string kZlibHeader("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03", 10);

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// Runs a shell command in `dir`; its exit status.
int Shell(const fs::path& dir, const std::string& command) {
  return std::system(("cd '" + dir.string() + "' && " + command).c_str());
}

// A file list as the engine leaves it: `records` lines of typical paths.
std::string MakeList(const std::string& path, int records) {
  {
    FileLists lists(fs::path(path).parent_path().string());
    for (int i = 0; i < records; ++i) {
      lists.Record(i % 7 ? "Nouveau" : "Modifi\xC3\xA9",
                   "C:/Users/anne/Documents/projet " + std::to_string(i % 13) + "/fichier_" + std::to_string(i) +
                       ".odt");
    }
  }
  return ReadBytes(path);
}

TEST(GzipHeader, NamesTheBaseNameOnly) {
  const std::string fixed = Bytes({0x1F, 0x8B, 0x08, 0x08, 0, 0, 0, 0, 0, 0x0B});
  const std::string name78(78, 'n');
  const struct {
    std::string source;
    std::string name;
  } cases[] = {
      {"Vaultrine_FileList.txt", "Vaultrine_FileList.txt"},
      {"C:\\Vaultrine\\Vaultrine_FileList.txt", "Vaultrine_FileList.txt"},
      {"sub/dir/list.txt", "list.txt"},
      {"ends\\", ""},
      {std::string(100, 'n'), name78},
      {"C:\\x\\" + std::string(77, 'a') + "\xC3\xA9.txt", std::string(77, 'a')},  // no half character
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_EQ(GzipHeader(c.source), fixed + c.name + std::string(1, '\0'));
  }
}

class ArchiveTest : public ::testing::Test {
 protected:
  std::string List() const { return dir_.File(kFileListName); }
  std::string Archive() const { return dir_.File("Vaultrine_FileList"); }
  TempDir dir_;
  RecordingSink boxes_;
};

// Sizes around the 15,360-byte read: empty, one short read, exactly one read (a
// second, empty one follows), many reads.
TEST_F(ArchiveTest, CompressedListDecompressesByteForByteUnderItsOwnName) {
  for (const int records : {0, 3, -1, 5000}) {
    SCOPED_TRACE(records);
    std::string original;
    if (records == 0) {
      WriteBytes(List(), "");  // an empty file, not even the mark
    } else if (records == -1) {
      original = std::string(kCompressChunk - 2, 'z') + "\r\n";
      WriteBytes(List(), original);
    } else {
      original = MakeList(List(), records);
    }
    std::string path = List();
    ASSERT_EQ(GzCompress(path, boxes_), 0);
    EXPECT_TRUE(boxes_.messages.empty());
    EXPECT_EQ(path, Archive());
    EXPECT_FALSE(fs::exists(List() + ".gz"));
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == kFileListName || name == "Vaultrine_FileList" || name.rfind("by-", 0) == 0)
          << "left behind: " << name;
    }
    EXPECT_EQ(ReadBytes(List()), original) << "the plain list stays";

    const std::string archive = ReadBytes(Archive());
    EXPECT_EQ(archive.substr(0, 33), GzipHeader("Vaultrine_FileList.txt"));
    // After the header, byte for byte what zlib's own gzip writer makes of the list.
    gzFile reference = gzopen(dir_.File("by-zlib").c_str(), "wb");
    ASSERT_NE(reference, nullptr);
    if (!original.empty()) gzwrite(reference, original.data(), static_cast<unsigned>(original.size()));
    ASSERT_EQ(gzclose(reference), Z_OK);
    EXPECT_TRUE(archive.substr(33) == ReadBytes(dir_.File("by-zlib")).substr(10)) << "the deflate stream differs";

    // Three independent readers: zlib itself, gzip, and Python's gzip module.
    gzFile in = gzopen(Archive().c_str(), "rb");
    ASSERT_NE(in, nullptr);
    std::string inflated(original.size() + 16, '\0');
    const int got = gzread(in, inflated.data(), static_cast<unsigned>(inflated.size()));
    gzclose(in);
    EXPECT_EQ(inflated.substr(0, got < 0 ? 0 : got), original);

    ASSERT_EQ(Shell(dir_.path(), "gzip -dc Vaultrine_FileList > by-gzip"), 0);
    EXPECT_EQ(ReadBytes(dir_.File("by-gzip")), original);
    ASSERT_EQ(Shell(dir_.path(), "python3 -c \"import gzip,sys; sys.stdout.buffer.write(gzip.open("
                                 "'Vaultrine_FileList').read())\" > by-python"),
              0);
    EXPECT_EQ(ReadBytes(dir_.File("by-python")), original);

    // gzip -dN takes the name from the header.
    fs::create_directory(dir_.File("restore"));
    fs::copy_file(Archive(), dir_.File("restore/archive.gz"));
    ASSERT_EQ(Shell(dir_.path() / "restore", "gzip -dN archive.gz"), 0);
    EXPECT_EQ(ReadBytes(dir_.File("restore/Vaultrine_FileList.txt")), original);
    fs::remove_all(dir_.File("restore"));
    fs::remove(Archive());
  }
}

// The name goes into the header in the same pass as the data: a temporary file that
// an earlier version left from an interrupted run costs the archive nothing.
TEST_F(ArchiveTest, AFileLeftFromAnInterruptedRunCostsTheArchiveNothing) {
  const std::string original = MakeList(List(), 20);
  const std::string leftover = List() + ".gz.x$y";
  WriteBytes(leftover, "left by an interrupted run");
  std::string path = List();
  EXPECT_EQ(GzCompress(path, boxes_), 0);
  EXPECT_TRUE(boxes_.messages.empty());
  const std::string archive = ReadBytes(Archive());
  EXPECT_EQ(archive.substr(0, 33), GzipHeader("Vaultrine_FileList.txt"));
  EXPECT_EQ(ReadBytes(leftover), "left by an interrupted run");
  ASSERT_EQ(Shell(dir_.path(), "gzip -dc Vaultrine_FileList > out"), 0);
  EXPECT_EQ(ReadBytes(dir_.File("out")), original);
}

TEST_F(ArchiveTest, FailuresShowTheirBoxAndCode) {
  const struct {
    const char* name;
    std::function<void(const TempDir&)> setup;
    int code;
    std::string text;
    const char* caption;
  } cases[] = {
      {"no list", [](const TempDir&) {}, -1, "From file open ERROR", "ERROR GZ_Compress()"},
      {"archive name taken by a folder",
       [](const TempDir& d) {
         WriteBytes(d.File(kFileListName), "x");
         fs::create_directory(d.File("Vaultrine_FileList.txt.gz"));
       },
       -2, "Cannot gzopen ", "ERROR GZ_Compress()"},
      {"shortened name taken by a full folder",
       [](const TempDir& d) {
         WriteBytes(d.File(kFileListName), "x");
         fs::create_directories(d.File("Vaultrine_FileList/inside"));
       },
       -6, "Could not remove >", "ERROR GZ_Compress()"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    RecordingSink boxes;
    c.setup(dir);
    std::string path = dir.File(kFileListName);
    EXPECT_EQ(GzCompress(path, boxes), c.code);
    // The list keeps its name, to be filed as it is; no half-made archive stays.
    EXPECT_EQ(path, dir.File(kFileListName));
    EXPECT_FALSE(fs::is_regular_file(dir.File("Vaultrine_FileList.txt.gz")));
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0].text.rfind(c.text, 0), 0u) << boxes.messages[0].text;
    EXPECT_EQ(boxes.messages[0].caption, c.caption);
    EXPECT_EQ(boxes.messages[0].icon, MessageIcon::kError);
  }
}

// The header names the compressed file by its base name, however it was reached,
// cut to 78 bytes; gzip -dN gives the file back under that name.
TEST_F(ArchiveTest, TheHeaderNamesTheFileByItsBaseName) {
  const std::string long_name = std::string(80, 'n') + ".txt";
  const struct {
    std::string file;
    std::string header_name;
  } cases[] = {
      {"Liste \xC3\xA9t\xC3\xA9.txt", "Liste \xC3\xA9t\xC3\xA9.txt"},
      {long_name, std::string(78, 'n')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.header_name);
    WriteBytes(dir_.File(c.file), "contents\r\n");
    std::string path = dir_.File(c.file);
    ASSERT_EQ(GzCompress(path, boxes_), 0);
    EXPECT_EQ(path, dir_.File(c.file.substr(0, c.file.size() - 4)));
    EXPECT_EQ(ReadBytes(path).substr(0, 11 + c.header_name.size()), GzipHeader(c.header_name));
    fs::create_directory(dir_.File("restore"));
    fs::copy_file(path, dir_.File("restore/archive.gz"));
    ASSERT_EQ(Shell(dir_.path() / "restore", "gzip -dN archive.gz"), 0);
    EXPECT_EQ(ReadBytes(dir_.File("restore/" + c.header_name)), "contents\r\n");
    fs::remove_all(dir_.File("restore"));
  }
  EXPECT_TRUE(boxes_.messages.empty());
}

TEST(SummaryFolder, ValueOfTheFirstKeyInTheFirst8192Bytes) {
  const std::string pad(8192, 'p');
  const struct {
    const char* name;
    std::string text;
    std::string folder;
  } cases[] = {
      {"unquoted, CR LF", "\xEF\xBB\xBF[general]\r\nsummary=D:\\Summaries\r\nlog=x\r\n", "D:\\Summaries"},
      {"quoted, kept with its quotes", "summary=\"D:\\My Summaries\"\n", "\"D:\\My Summaries\""},
      {"at the very end", "a=1\r\nsummary=E:\\S", "E:\\S"},
      {"empty value", "summary=\r\nsummary=second", ""},
      {"first occurrence wins", "x_summary=first\nsummary=second", "first"},
      {"zero byte ends the text", std::string("summary=ab\0cd", 13), "ab"},
      {"zero byte before the key", std::string("a\0summary=x", 11), ""},
      {"no key", "[general]\r\ndatabase=x\r\n", ""},
      {"key after 8192 bytes", pad + "summary=D:\\late\r\n", ""},
      {"key across the boundary", pad.substr(0, 8190) + "summary=D:\\x", ""},
      {"value cut at the boundary", pad.substr(0, 8180) + "summary=D:\\abcdefgh", "D:\\a"},
      {"empty file", "", ""},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir.File("Vaultrine.ini"), c.text);
    EXPECT_EQ(ReadSummaryFolder(dir.File("Vaultrine.ini")), c.folder);
  }
  EXPECT_EQ(ReadSummaryFolder(dir.File("missing.ini")), "");
  EXPECT_EQ(ReadSummaryFolder(""), "");
}

TEST(ArchiveName, ComputerDateAndTime) {
  const struct {
    const char* computer;
    LocalTime time;
    const char* name;
  } cases[] = {
      {"OFFICE", {2026, 12, 6, 17, 45}, "OFFICE_06-12-26_17-45_Details.gz"},
      {"PC-ANNE", {2000, 1, 9, 3, 7}, "PC-ANNE_09-01-00_03-07_Details.gz"},
      {"", {2099, 10, 31, 23, 59}, "_31-10-99_23-59_Details.gz"},
  };
  for (const auto& c : cases) EXPECT_EQ(ArchiveName(c.computer, c.time), c.name);
  // The second archive of a minute and the later ones.
  EXPECT_EQ(ArchiveName("OFFICE", {2026, 12, 6, 17, 45}, 1), "OFFICE_06-12-26_17-45_Details.gz");
  EXPECT_EQ(ArchiveName("OFFICE", {2026, 12, 6, 17, 45}, 2), "OFFICE_06-12-26_17-45_2_Details.gz");
  EXPECT_EQ(ArchiveName("OFFICE", {2026, 12, 6, 17, 45}, 999), "OFFICE_06-12-26_17-45_999_Details.gz");
}

// The end-of-run steps in a folder of their own, as the success window's OK runs them.
class FinishRunTest : public ::testing::Test {
 protected:
  FinishRunTest() : cd_(dir_.path()) {
    original_ = MakeList(dir_.File(kFileListName), 50);
    input_.computer_name = "OFFICE";
    input_.now = {2026, 12, 6, 17, 45};
    input_.task_text = dir_.File("Vaultrine.ini") + "-1";
    input_.current_folder = dir_.path().string();
    input_.caption = "Vaultrine";
  }
  void Summary(const std::string& line) { WriteBytes(dir_.File("Vaultrine.ini"), "[general]\r\n" + line + "\r\n"); }
  FinishResult Run() { return FinishRun(list_name_, input_, boxes_); }
  std::string Inflate(const std::string& path) {
    const int status = Shell(dir_.path(), "gzip -dc < '" + path + "' > inflated");
    return status == 0 ? ReadBytes(dir_.File("inflated")) : "<gzip failed>";
  }

  TempDir dir_;
  ChangeDir cd_;
  std::string original_;
  std::string list_name_ = kFileListName;
  FinishRunInput input_;
  RecordingSink boxes_;
  const std::string archive_ = "OFFICE_06-12-26_17-45_Details.gz";
};

TEST_F(FinishRunTest, QuotedOrUnquotedSummaryFolderReceivesTheArchive) {
  fs::create_directory(dir_.File("sum mary"));
  for (const bool quoted : {true, false}) {
    SCOPED_TRACE(quoted);
    Summary(quoted ? "summary=\"" + dir_.File("sum mary") + "\"" : "summary=" + dir_.File("sum mary"));
    list_name_ = kFileListName;
    const FinishResult r = Run();
    EXPECT_EQ(r.outcome, FinishOutcome::kFiled);
    EXPECT_EQ(r.destination, dir_.File("sum mary") + "/" + archive_);
    EXPECT_EQ(list_name_, "Vaultrine_FileList");
    EXPECT_EQ(Inflate(r.destination), original_);
    EXPECT_FALSE(fs::exists(dir_.File(archive_))) << "filed: the local archive goes";
    EXPECT_EQ(ReadBytes(dir_.File(kFileListName)), original_) << "the plain list stays";
    EXPECT_TRUE(boxes_.messages.empty());
    fs::remove(r.destination);
  }
}

TEST_F(FinishRunTest, WithoutASummaryFolderTheArchiveStaysHere) {
  for (const std::string& ini : {std::string("log=x"), std::string("summary="), std::string("summary=\"\""),
                                 std::string(9000, ';') + "\r\nsummary=" + dir_.path().string()}) {
    SCOPED_TRACE(ini.substr(0, 20));
    Summary(ini);
    list_name_ = kFileListName;
    EXPECT_EQ(Run().outcome, FinishOutcome::kKeptHere);
    EXPECT_EQ(Inflate(dir_.File(archive_)), original_);
    fs::remove(dir_.File(archive_));
  }
  EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(FinishRunTest, AnUnwritableSummaryFolderKeepsTheArchiveAndSaysWhere) {
  Summary("summary=" + dir_.File("not there"));
  const FinishResult r = Run();
  EXPECT_EQ(r.outcome, FinishOutcome::kNotFiled);
  EXPECT_EQ(Inflate(dir_.File(archive_)), original_);
  ASSERT_EQ(boxes_.messages.size(), 1u);
  const UserMessage& box = boxes_.messages[0];
  EXPECT_EQ(box.caption, "Vaultrine");
  EXPECT_NE(box.text.find(dir_.File("not there") + "/" + archive_), std::string::npos) << box.text;
  EXPECT_NE(box.text.find(dir_.File(archive_)), std::string::npos) << box.text;
}

TEST_F(FinishRunTest, NoComputerNameOrNoListDoesNothing) {
  Summary("summary=" + dir_.path().string());
  FinishRunInput nameless = input_;
  nameless.computer_name.reset();
  EXPECT_EQ(FinishRun(list_name_, nameless, boxes_).outcome, FinishOutcome::kNoComputerName);
  fs::remove(dir_.File(kFileListName));
  EXPECT_EQ(Run().outcome, FinishOutcome::kNoFileList);
  EXPECT_EQ(list_name_, kFileListName);
  EXPECT_FALSE(fs::exists(dir_.File(archive_)));
  EXPECT_TRUE(boxes_.messages.empty());
}

// Two runs that end in the same minute: the second archive gets a name of its own,
// so the first is neither overwritten in the summary folder nor left under the
// list's name for the next run to delete; a third run of that minute gets a third.
TEST_F(FinishRunTest, RunsEndingInTheSameMinuteKeepAnArchiveEach) {
  fs::create_directory(dir_.File("sums"));
  const std::string names[] = {archive_, "OFFICE_06-12-26_17-45_2_Details.gz", "OFFICE_06-12-26_17-45_3_Details.gz"};
  for (const bool summary : {true, false}) {
    SCOPED_TRACE(summary ? "filed in the summary folder" : "kept here");
    Summary(summary ? "summary=" + dir_.File("sums") : "log=x");
    std::vector<std::string> lists;
    for (int run = 0; run < 3; ++run) {
      lists.push_back(run == 0 ? original_ : MakeList(dir_.File(kFileListName), 50 + 10 * run));
      list_name_ = kFileListName;
      const FinishResult r = Run();
      EXPECT_EQ(r.outcome, summary ? FinishOutcome::kFiled : FinishOutcome::kKeptHere) << run;
      EXPECT_EQ(r.archive_name, names[run]);
    }
    for (int run = 0; run < 3; ++run) {
      const std::string at = summary ? dir_.File("sums") + "/" + names[run] : dir_.File(names[run]);
      EXPECT_EQ(Inflate(at), lists[run]) << names[run];
      fs::remove(at);
    }
    EXPECT_FALSE(fs::exists(dir_.File("Vaultrine_FileList"))) << "no archive left under the list's name";
    EXPECT_TRUE(boxes_.messages.empty());
    original_ = MakeList(dir_.File(kFileListName), 50);
  }
}

// An archive kept here because the summary folder refused it stays this run's: the
// next run of the same minute files its own archive under a name of its own, and an
// archive of that name already in the summary folder (another program folder's) is
// never overwritten.
TEST_F(FinishRunTest, AnArchiveKeptBackOrFiledElsewhereIsNeverTakenOrOverwritten) {
  Summary("summary=" + dir_.File("not there"));
  ASSERT_EQ(Run().outcome, FinishOutcome::kNotFiled);
  boxes_.messages.clear();
  const std::string second = MakeList(dir_.File(kFileListName), 70);
  fs::create_directory(dir_.File("sums"));
  WriteBytes(dir_.File("sums") + "/OFFICE_06-12-26_17-45_2_Details.gz", "another folder's archive");
  Summary("summary=" + dir_.File("sums"));
  list_name_ = kFileListName;
  const FinishResult r = Run();
  EXPECT_EQ(r.outcome, FinishOutcome::kFiled);
  EXPECT_EQ(r.destination, dir_.File("sums") + "/OFFICE_06-12-26_17-45_3_Details.gz");
  EXPECT_EQ(Inflate(r.destination), second);
  EXPECT_EQ(Inflate(dir_.File(archive_)), original_) << "the kept archive is the first run's, still here";
  EXPECT_FALSE(fs::exists(dir_.File("sums") + "/" + archive_));
  EXPECT_EQ(ReadBytes(dir_.File("sums") + "/OFFICE_06-12-26_17-45_2_Details.gz"), "another folder's archive");
  EXPECT_TRUE(boxes_.messages.empty());
}

// A summary folder that is the program folder itself, however it is written, already
// holds the archive: it is never copied onto itself (which empties it) and removed.
TEST_F(FinishRunTest, ASummaryFolderThatIsThisFolderKeepsTheArchive) {
  const std::string names[] = {archive_, "OFFICE_06-12-26_17-45_2_Details.gz"};
  const std::string summaries[] = {dir_.path().string(), dir_.path().string() + "/."};
  const std::vector<std::string> lists = {original_, MakeList(dir_.File(kFileListName), 60)};
  for (int run = 0; run < 2; ++run) {
    WriteBytes(dir_.File(kFileListName), lists[run]);
    Summary("summary=" + summaries[run]);
    list_name_ = kFileListName;
    const FinishResult r = Run();
    EXPECT_EQ(r.outcome, FinishOutcome::kFiled);
    EXPECT_EQ(r.archive_name, names[run]);
  }
  for (int run = 0; run < 2; ++run) EXPECT_EQ(Inflate(dir_.File(names[run])), lists[run]) << names[run];
  EXPECT_TRUE(boxes_.messages.empty());
}

TEST_F(FinishRunTest, AFailedCompressionFilesThePlainList) {
  fs::create_directory(dir_.File("out"));
  Summary("summary=" + dir_.path().string() + "/out");
  // The archive's first name is a folder (gzopen fails), or its last one is a folder
  // that cannot be removed: that folder is never taken for the archive.
  for (const char* in_the_way : {"Vaultrine_FileList.txt.gz", "Vaultrine_FileList/inside"}) {
    SCOPED_TRACE(in_the_way);
    fs::create_directories(dir_.File(in_the_way));
    list_name_ = kFileListName;
    boxes_.messages.clear();
    const FinishResult r = Run();
    EXPECT_EQ(r.outcome, FinishOutcome::kFiled);
    ASSERT_EQ(boxes_.messages.size(), 1u);
    EXPECT_EQ(boxes_.messages[0].caption, "ERROR GZ_Compress()");
    EXPECT_EQ(ReadBytes(r.destination), original_);
    EXPECT_TRUE(fs::is_directory(dir_.File(in_the_way)));
    fs::remove_all(dir_.File(fs::path(in_the_way).begin()->string()));
    fs::remove(r.destination);
    WriteBytes(dir_.File(kFileListName), original_);
  }
}

}  // namespace
}  // namespace vaultrine::backup
