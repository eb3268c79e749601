#include "config_editor/core/shell_rules.h"

#include "common/text_encoding.h"

namespace vaultrine::config {

namespace {
constexpr unsigned kMove = 0xF010, kMinimize = 0xF020, kClose = 0xF060, kRestore = 0xF120;
constexpr unsigned kMouseMenu = 0xF090, kKeyMenu = 0xF100, kExactlyAllowed = 0xF095;
}  // namespace

bool SystemCommandAllowed(unsigned command) {
  switch (command & 0xFFF0u) {
    case kMove:
    case kMinimize:
    case kClose:
    case kRestore:
    // Without these the system menu itself would not open, by click or by Alt+Space.
    case kMouseMenu:
    case kKeyMenu:
      return true;
    default:
      return command == kExactlyAllowed;
  }
}

PixelRect FilePageRegionRect(FilePageRegion region, int dpi) {
  switch (region) {
    case FilePageRegion::kNew: return ScaleForDpi(PixelRect{795, 65, 831, 99}, dpi);
    case FilePageRegion::kExisting: return ScaleForDpi(PixelRect{795, 116, 831, 148}, dpi);
    case FilePageRegion::kNone: break;
  }
  return {0, 0, -1, -1};
}

FilePageRegion FilePageRegionAt(int x, int y, int dpi) {
  for (FilePageRegion r : {FilePageRegion::kNew, FilePageRegion::kExisting})
    if (FilePageRegionRect(r, dpi).Contains(x, y)) return r;
  return FilePageRegion::kNone;
}

std::u16string ChooserFilter(std::string_view bars) {
  std::u16string out = Utf8ToUtf16(bars);
  for (char16_t& c : out)
    if (c == u'|') c = u'\0';
  // The dialog reads pairs up to an empty name: make sure one is there.
  while (out.size() < 2 || out[out.size() - 1] != u'\0' || out[out.size() - 2] != u'\0')
    out.push_back(u'\0');
  return out;
}

bool IsParameterFileName(std::string_view name) {
  constexpr std::string_view kExt = ".ini";
  if (name.size() < kExt.size()) return false;
  const std::string_view tail = name.substr(name.size() - kExt.size());
  for (size_t i = 0; i < kExt.size(); ++i) {
    char c = tail[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kExt[i]) return false;
  }
  return true;
}

std::u16string EndQuestionText(std::u16string_view format, std::string_view parameter_path) {
  std::u16string out(format);
  const size_t at = out.find(u"%s");
  if (at != std::u16string::npos) out.replace(at, 2, Utf8ToUtf16(parameter_path));
  if (out.size() > kEndQuestionUnits - 1) {
    out.resize(kEndQuestionUnits - 1);
    // Never end on the first half of a surrogate pair.
    if (out.back() >= 0xD800 && out.back() <= 0xDBFF) out.pop_back();
  }
  return out;
}

}  // namespace vaultrine::config
