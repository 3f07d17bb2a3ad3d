#pragma once
// TSourcesForm: the bar's list of sources, a name and an address per row, to add to, edit,
// reorder, import from OPML and export as OPML. Ok makes the list the bar's source; Cancel
// changes nothing.

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "core/sources/Opml.h"
#include "dialogs/BarOperations.h"
#include "platform/Controls.h"
#include "platform/Handles.h"
#include "platform/ModalForm.h"

enum SourcesControlId : UINT {
  IDC_SOURCE_LIST = 100,
  IDC_SOURCE_ADD,
  IDC_SOURCE_EDIT,
  IDC_SOURCE_REMOVE,
  IDC_SOURCE_UP,
  IDC_SOURCE_DOWN,
  IDC_SOURCE_IMPORT,
  IDC_SOURCE_EXPORT,
  IDC_SOURCE_NAME,
  IDC_SOURCE_ADDRESS,
};

class TSourcesForm : public platform::ModalForm {
 public:
  static constexpr const char* kTitle = "Driftline Sources";

  // Owned by `owner`, the options dialog.
  TSourcesForm(BarOperations& bar, HWND owner);
  ~TSourcesForm() override;

  const std::vector<core::SourceEntry>& Sources() const { return sources_; }

 private:
  struct Controls;

  void CreateControls();
  void Fill(int selected);
  int Selected() const;
  void SelectionChanged();
  // The entry the fields make, or nullopt after telling the user why they make none; `editing`
  // is the entry they replace.
  std::optional<core::SourceEntry> Fields(std::optional<std::size_t> editing);
  void AddClick();
  void EditClick();
  void RemoveClick();
  void MoveClick(int by);
  void ImportClick();
  void ExportClick();
  void OkClick();
  void Tell(const std::string& text);

  UINT DefaultButtonId() const override { return IDOK; }
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  BarOperations& bar_;
  // Of the bar's monitor, where the dialog opens: its controls and font are laid out for it.
  const int dpi_;
  platform::UniqueFont font_;
  std::vector<core::SourceEntry> sources_;
  std::unique_ptr<Controls> controls_;
};
