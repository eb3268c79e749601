// The shipped templates go through the editor's own conversion: no message, and a
// save without changes gives the template back byte for byte.
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "config_editor/core/parameter_file.h"
#include "temp_dir.h"

namespace vaultrine::config {
namespace {

class TemplateConversion : public ::testing::TestWithParam<const char*> {};

TEST_P(TemplateConversion, ConvertsSilentlyAndSavesBackUnchanged) {
  const std::string source = std::string(VAULTRINE_SOURCE_DIR) + "/data/" + GetParam();
  const auto original = ReadWholeFile(source);
  ASSERT_TRUE(original.has_value());

  testing::TempDir dir;
  const std::string parameter_file = dir.File("Vaultrine.ini");
  ASSERT_TRUE(MakeWorkingCopy(source, parameter_file));
  EXPECT_TRUE(IsCompatible(WorkingCopyName(parameter_file)));

  RecordingSink sink;
  std::string path = parameter_file;
  EXPECT_EQ(ConvertToInternal(path, sink), kConverted);
  for (const auto& m : sink.messages) ADD_FAILURE() << "message: " << m.text;

  EXPECT_EQ(WriteParameterFile(parameter_file, sink), kWritten);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(ReadWholeFile(parameter_file).value_or(""), *original);
}

INSTANTIATE_TEST_SUITE_P(Data, TemplateConversion,
                         ::testing::Values("Low_Template_TSN.tsn", "High_Template_TSN.tsn"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('_'));
                         });

}  // namespace
}  // namespace vaultrine::config
