// Test drives for Wine: a letter mapped onto a scratch folder whose .windows-label file
// names the volume. They are registered with Wine's mount manager (a plain dosdevices
// link made while the wineserver runs would have no readable label) and removed again.
#pragma once
#include <string>

namespace vaultrine::uitest {

class WineDrive {
 public:
  // `folder` is a Windows path; it need not exist (a drive whose root cannot be entered).
  WineDrive(char letter, const std::string& folder, const std::string& label);
  ~WineDrive();
  WineDrive(const WineDrive&) = delete;
  WineDrive& operator=(const WineDrive&) = delete;
  bool ok() const { return ok_; }

 private:
  char letter_;
  bool ok_ = false;
};

}  // namespace vaultrine::uitest
