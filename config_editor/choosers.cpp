#include "config_editor/choosers.h"

#include "common/file_io.h"
#include "common/text_encoding.h"
#include "common/win/choosers.h"
#include "common/win/wide.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/core/shell_rules.h"

namespace vaultrine::config {

int ChooseFile(HWND owner, std::wstring& path, const std::string& initial_folder,
               const std::wstring& title, ChooseMode mode, std::string_view filter,
               MessageSink& sink) {
  win::FileChooserRequest request;
  request.owner = owner;
  request.save = mode == ChooseMode::kSave;
  request.initial_folder = win::ToWide(initial_folder);
  request.title = title;
  const std::u16string nuls = ChooserFilter(filter);
  request.filter.assign(nuls.begin(), nuls.end());
  // Only a name that would not overwrite anything is proposed.
  if (request.save && !FileReadable(kDefaultParameterFileName))
    request.proposed_name = win::ToWide(kDefaultParameterFileName);

  const std::optional<std::wstring> chosen = win::RunFileChooser(request);
  if (!chosen || chosen->empty()) return -1;
  if (chosen->size() > kMaxChosenPathUnits) {
    ShowEditorMessage(sink, kPathTooLongMessage, MessageIcon::kWarning);
    return -1;
  }
  path = *chosen;
  return 0;
}

int ChooseFolder(HWND owner, std::wstring& path, const std::string& preselect) {
  const std::optional<std::wstring> chosen = win::RunFolderChooser(owner, win::ToWide(preselect));
  if (!chosen || chosen->empty()) return -1;
  path = *chosen;
  return 0;
}

}  // namespace vaultrine::config
