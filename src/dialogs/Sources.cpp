// The Sources dialog: the list on the left with the selected row's name and address below it,
// the buttons that change it on the right, Ok and Cancel at the bottom.

#include "dialogs/Sources.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "core/sources/SourceAddress.h"
#include "platform/CodePageText.h"
#include "platform/Dpi.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/TextFile.h"

namespace {

constexpr int kClientWidth = 480;
constexpr int kClientHeight = 330;
constexpr const char* kOpmlFilter = "OPML files (*.opml)\0*.opml\0All files (*.*)\0*.*\0";

class ListBox : public platform::Control {
 public:
  ListBox(HWND parent, const platform::ControlBounds& bounds, UINT id, HFONT font)
      : Control(parent, "LISTBOX", "",
                WS_GROUP | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS |
                    LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE, bounds, id, font) {}
};

std::string InCodePage(const std::string& utf8) {
  return platform::Utf8ToCodePage(utf8);
}

std::string InUtf8(const std::string& text) {
  return platform::CodePageToUtf8(text, platform::SystemCodePage()).value_or(text);
}

platform::ControlBounds Button(int row) {
  return {364, 30 + row * 30, 104, 25};
}

}  // namespace

// Each label is created just before its field, so that its accelerator reaches the field.
struct TSourcesForm::Controls {
  platform::Label listLabel;
  ListBox list;
  platform::Label nameLabel;
  platform::Edit name;
  platform::Label addressLabel;
  platform::Edit address;
  platform::Button add, edit, remove, up, down, import, exportList, ok, cancel;
};

TSourcesForm::TSourcesForm(BarOperations& bar, HWND owner)
    : bar_(bar),
      dpi_(platform::DpiOf(owner)),
      font_(platform::CreateDialogFont(dpi_)),
      sources_(bar.Sources()) {
  platform::WindowPlacement placement =
      platform::FixedDialogPlacement(kClientWidth, kClientHeight, dpi_);
  RECT over{};
  ::GetWindowRect(owner, &over);
  placement.x = over.left + platform::Scaled(20, dpi_);
  placement.y = over.top + platform::Scaled(20, dpi_);
  placement.parent = owner;
  CreateHandle({.name = "TSourcesForm", .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)},
               kTitle, placement);
  CreateControls();
  Fill(sources_.empty() ? -1 : 0);
}

TSourcesForm::~TSourcesForm() = default;

void TSourcesForm::CreateControls() {
  const HWND form = Handle();
  HFONT font = font_.get();
  controls_.reset(new Controls{
      {form, "&Sources:", {12, 10, 200, 18}, font},
      {form, {12, 30, 340, 180}, IDC_SOURCE_LIST, font},
      {form, "&Name:", {12, 224, 64, 18}, font},
      {form, {80, 220, 272, 24}, IDC_SOURCE_NAME, font},
      {form, "&Address:", {12, 254, 64, 18}, font},
      {form, {80, 250, 272, 24}, IDC_SOURCE_ADDRESS, font},
      {form, "A&dd", Button(0), IDC_SOURCE_ADD, font},
      {form, "&Edit", Button(1), IDC_SOURCE_EDIT, font},
      {form, "&Remove", Button(2), IDC_SOURCE_REMOVE, font},
      {form, "Move &up", Button(3), IDC_SOURCE_UP, font},
      {form, "Move do&wn", Button(4), IDC_SOURCE_DOWN, font},
      // Ending in the code page's ellipsis.
      {form, "&Import OPML\x85", Button(5), IDC_SOURCE_IMPORT, font},
      {form, "E&xport OPML\x85", Button(6), IDC_SOURCE_EXPORT, font},
      {form, "OK", {300, 292, 75, 25}, IDOK, font, platform::ButtonRole::Default},
      {form, "Cancel", {384, 292, 75, 25}, IDCANCEL, font},
  });
  const int nameColumn = 100;  // dialog units
  ::SendMessageA(controls_->list.Handle(), LB_SETTABSTOPS, 1,
                 reinterpret_cast<LPARAM>(&nameColumn));
}

// The rows again, with `selected` chosen and its fields filled.
void TSourcesForm::Fill(int selected) {
  const HWND list = controls_->list.Handle();
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const core::SourceEntry& source : sources_) {
    std::string row = source.name + "\t" + source.address;
    const std::string status = bar_.SourceStatus(source.address);
    if (!status.empty()) row += "\t" + status;
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SelectionChanged();
}

int TSourcesForm::Selected() const {
  return static_cast<int>(::SendMessageA(controls_->list.Handle(), LB_GETCURSEL, 0, 0));
}

void TSourcesForm::SelectionChanged() {
  const int at = Selected();
  const bool any = at >= 0 && static_cast<std::size_t>(at) < sources_.size();
  controls_->name.SetText(any ? sources_[at].name : std::string());
  controls_->address.SetText(any ? sources_[at].address : std::string());
}

std::optional<core::SourceEntry> TSourcesForm::Fields(std::optional<std::size_t> editing) {
  const core::TypedAddress typed =
      core::SourceAddressTyped(controls_->address.Text(), &platform::FileExists);
  std::string refusal = typed.refusal;
  if (refusal.empty()) {
    if (const auto same = core::SameSourceAt(sources_, typed.address, editing)) {
      refusal = "This address is already in the list, as \"" + sources_[*same].name + "\".";
    }
  }
  if (!refusal.empty()) {
    Tell(refusal);
    controls_->address.SetFocus();
    return std::nullopt;
  }
  controls_->address.SetText(typed.address);
  core::SourceEntry entry{controls_->name.Text(), typed.address};
  // Named by its server or file, never by an address that may hold a password.
  if (entry.name.empty()) entry.name = core::SourceNameOf(entry.address);
  return entry;
}

void TSourcesForm::AddClick() {
  if (const std::optional<core::SourceEntry> entry = Fields(std::nullopt)) {
    sources_.push_back(*entry);
    Fill(static_cast<int>(sources_.size()) - 1);
  }
}

void TSourcesForm::EditClick() {
  const int at = Selected();
  if (at < 0) return;
  if (const std::optional<core::SourceEntry> entry = Fields(static_cast<std::size_t>(at))) {
    sources_[static_cast<std::size_t>(at)] = *entry;
    Fill(at);
  }
}

void TSourcesForm::RemoveClick() {
  const int at = Selected();
  if (at < 0) return;
  sources_.erase(sources_.begin() + at);
  Fill(std::min(at, static_cast<int>(sources_.size()) - 1));
}

void TSourcesForm::MoveClick(int by) {
  const int at = Selected();
  const int to = at + by;
  if (at < 0 || to < 0 || to >= static_cast<int>(sources_.size())) return;
  std::swap(sources_[static_cast<std::size_t>(at)], sources_[static_cast<std::size_t>(to)]);
  Fill(to);
}

void TSourcesForm::ImportClick() {
  const std::optional<std::string> path = platform::OpenFileDialog(
      Handle(), {.filter = kOpmlFilter, .defaultExtension = "opml", .mustExist = true});
  if (!path) return;
  core::OpmlReading list;
  try {
    const std::optional<std::string> bytes =
        platform::ReadWholeFile(*path, core::kLargestList, platform::FileSharing::AllowWriters);
    if (bytes) list = core::ReadOpml(*bytes);
  } catch (const std::exception& e) {
    list.error = e.what();
  }
  if (list.outcome != core::OpmlOutcome::List) {
    const std::string why = list.error.empty() ? "not an OPML document" : list.error;
    bar_.Log("Sources: cannot import " + *path + ": " + why);
    Tell("Cannot import " + *path + ": " + why);
    return;
  }
  std::transform(
      list.sources.begin(), list.sources.end(), std::back_inserter(sources_),
      [](core::SourceEntry& s) {
        return core::SourceEntry{InCodePage(std::move(s.name)), InCodePage(std::move(s.address))};
      });
  bar_.Log("Sources: " + std::to_string(list.sources.size()) + " sources imported from " + *path);
  Fill(static_cast<int>(sources_.size()) - 1);
}

void TSourcesForm::ExportClick() {
  const std::optional<std::string> path =
      platform::SaveFileDialog(Handle(), {.filter = kOpmlFilter, .defaultExtension = "opml"});
  if (!path) return;
  std::vector<core::SourceEntry> utf8(sources_.size());
  std::transform(sources_.begin(), sources_.end(), utf8.begin(), [](const core::SourceEntry& s) {
    return core::SourceEntry{InUtf8(s.name), InUtf8(s.address)};
  });
  if (!platform::ReplaceTextFile(*path, core::WriteOpml(utf8, "Driftline"))) {
    bar_.Log("Sources: cannot write " + *path);
    Tell("Cannot write " + *path);
  }
}

void TSourcesForm::OkClick() {
  if (!bar_.UseSources(sources_)) {
    Tell("Cannot save the list of sources.");
    return;
  }
  EndModal(IDOK);
}

void TSourcesForm::Tell(const std::string& text) {
  ::MessageBoxA(Handle(), text.c_str(), "Driftline", MB_OK | MB_ICONWARNING);
}

LRESULT TSourcesForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND) return ModalForm::HandleMessage(message, wParam, lParam);
  const UINT id = LOWORD(wParam);
  if (id == IDC_SOURCE_LIST) {
    if (HIWORD(wParam) == LBN_SELCHANGE) SelectionChanged();
    return 0;
  }
  if (HIWORD(wParam) != BN_CLICKED) return 0;
  switch (id) {
    case IDC_SOURCE_ADD: AddClick(); break;
    case IDC_SOURCE_EDIT: EditClick(); break;
    case IDC_SOURCE_REMOVE: RemoveClick(); break;
    case IDC_SOURCE_UP: MoveClick(-1); break;
    case IDC_SOURCE_DOWN: MoveClick(1); break;
    case IDC_SOURCE_IMPORT: ImportClick(); break;
    case IDC_SOURCE_EXPORT: ExportClick(); break;
    case IDOK: OkClick(); break;
    case IDCANCEL: EndModal(IDCANCEL); break;
    default: break;
  }
  return 0;
}
