// The editor shell's rules that need no window (the tabs are in rule_sections.h):
// which system commands the main window carries out, the parameter-file page's hot pictures,
// the choosers' limits and the end question's text.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "common/hot_pointer.h"

namespace vaultrine::config {

// Move, minimise, close and restore (compared without the low four bits, which carry
// the hit-test code of a mouse action), the two ways of opening the system menu, and
// the exact value F095. Maximise and size never reach the window.
bool SystemCommandAllowed(unsigned command);

// The parameter-file page's two pictures, in the page's client pixels of a 96 dpi
// screen, scaled for a finer one.
enum class FilePageRegion { kNone, kNew, kExisting };
PixelRect FilePageRegionRect(FilePageRegion region, int dpi = 96);
FilePageRegion FilePageRegionAt(int x, int y, int dpi = 96);

// A chooser filter written with bars ("*.ini|*.ini||") in the form the system's
// file dialog takes: every bar a NUL, and the double NUL at the end guaranteed.
std::u16string ChooserFilter(std::string_view bars);

// Longest full path a chooser hands back, in UTF-16 units.
inline constexpr size_t kMaxChosenPathUnits = 220;
inline constexpr const char* kPathTooLongMessage =
    "Selected full pathname exceeds 256 characters\n\nselect a shorter one";
inline constexpr const char* kDefaultParameterFileName = "Vaultrine.ini";

// Whether a directory entry can be a parameter file: its name ends in ".ini",
// whatever the case.
bool IsParameterFileName(std::string_view name);

// The end question: `format` (message_keys::kEndQuestion) with the parameter path
// in place of its first "%s", at most 511 units. The path is put in as it is, "%" included.
inline constexpr size_t kEndQuestionUnits = 512;
std::u16string EndQuestionText(std::u16string_view format, std::string_view parameter_path);

}  // namespace vaultrine::config
