#include "common/language.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace vaultrine {
namespace {

namespace fs = std::filesystem;
using testing::ChangeDir;
using testing::TempDir;
using testing::WriteBytes;

class CatalogSwitch : public ::testing::Test {
 protected:
  CatalogSwitch() : cd_(dir_.path()) { fs::create_directories("locale/gui/LC_MESSAGES"); }
  static bool Exists(const char* p) { return fs::exists(p); }

  TempDir dir_;
  ChangeDir cd_;
};

TEST_F(CatalogSwitch, CatalogPresenceDecidesTheLanguage) {
  EXPECT_EQ(DetectLanguage(), Language::kEnglish);
  WriteBytes(kParkedCatalogPath, "mo");
  EXPECT_EQ(DetectLanguage(), Language::kEnglish);
  WriteBytes(kCatalogPath, "mo");
  EXPECT_EQ(DetectLanguage(), Language::kFrench);
  EXPECT_STREQ(LanguageCode(Language::kFrench), "fra");
  EXPECT_STREQ(LanguageCode(Language::kEnglish), "eng");
}

TEST_F(CatalogSwitch, EnglishParksAndFrenchRestores) {
  WriteBytes(kCatalogPath, "catalog bytes");
  SwitchCatalog(Language::kEnglish);
  EXPECT_FALSE(Exists(kCatalogPath));
  EXPECT_TRUE(Exists(kParkedCatalogPath));
  EXPECT_EQ(DetectLanguage(), Language::kEnglish);

  SwitchCatalog(Language::kEnglish);  // already parked: nothing happens
  EXPECT_TRUE(Exists(kParkedCatalogPath));

  SwitchCatalog(Language::kFrench);
  EXPECT_TRUE(Exists(kCatalogPath));
  EXPECT_FALSE(Exists(kParkedCatalogPath));
  EXPECT_EQ(testing::ReadBytes(kCatalogPath), "catalog bytes");
}

TEST_F(CatalogSwitch, BothMissingStaysEnglishWithoutCreatingFiles) {
  SwitchCatalog(Language::kFrench);
  SwitchCatalog(Language::kEnglish);
  EXPECT_FALSE(Exists(kCatalogPath));
  EXPECT_FALSE(Exists(kParkedCatalogPath));
  EXPECT_EQ(DetectLanguage(), Language::kEnglish);
}

TEST_F(CatalogSwitch, BothPresentTheCatalogWinsAndNothingIsOverwritten) {
  WriteBytes(kCatalogPath, "french");
  WriteBytes(kParkedCatalogPath, "parked");
  EXPECT_EQ(DetectLanguage(), Language::kFrench);
  SwitchCatalog(Language::kEnglish);
  EXPECT_EQ(testing::ReadBytes(kCatalogPath), "french");
  EXPECT_EQ(testing::ReadBytes(kParkedCatalogPath), "parked");
  EXPECT_EQ(DetectLanguage(), Language::kFrench);
}

}  // namespace
}  // namespace vaultrine
