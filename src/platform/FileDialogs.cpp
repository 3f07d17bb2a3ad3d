#include "platform/FileDialogs.h"

// After windows.h, which they need.
#include <commdlg.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/CommonDialogsLibrary.h"
#include "platform/Picture.h"

namespace platform {
namespace {

constexpr int kPreviewHeight = 90;  // dialog units below the system's own controls

// What the hook shows: the picture under the user's choice, if it loads.
struct Preview {
  std::unique_ptr<Picture> picture;
};

// A child dialog with no controls: the room below the list where the preview is drawn.
std::vector<WORD> PreviewTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL;
  dialog->cx = 200;
  dialog->cy = kPreviewHeight;
  return words;  // no menu, class or title: the three trailing zeros
}

void PaintPreview(HWND hook, const Preview& preview) {
  PAINTSTRUCT paint{};
  HDC dc = ::BeginPaint(hook, &paint);
  RECT client{};
  ::GetClientRect(hook, &client);
  ::InflateRect(&client, -8, -4);
  if (preview.picture && preview.picture->Width() > 0 && preview.picture->Height() > 0) {
    // As large as fits, keeping the picture's shape.
    const double scale = std::min(
        1.0, std::min(static_cast<double>(client.right - client.left) / preview.picture->Width(),
                      static_cast<double>(client.bottom - client.top) / preview.picture->Height()));
    const RECT into{client.left, client.top,
                    client.left + static_cast<LONG>(preview.picture->Width() * scale),
                    client.top + static_cast<LONG>(preview.picture->Height() * scale)};
    preview.picture->Draw(dc, into);
  }
  ::EndPaint(hook, &paint);
}

UINT_PTR CALLBACK PreviewHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* dialog = reinterpret_cast<const OPENFILENAMEA*>(lParam);
    ::SetWindowLongPtrA(hook, DWLP_USER, static_cast<LONG_PTR>(dialog->lCustData));
    return TRUE;
  }
  auto* preview = reinterpret_cast<Preview*>(::GetWindowLongPtrA(hook, DWLP_USER));
  if (!preview) return FALSE;
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_SELCHANGE) {
    char path[MAX_PATH * 4] = {};
    preview->picture.reset();
    if (::SendMessageA(::GetParent(hook), CDM_GETFILEPATH, sizeof path,
                       reinterpret_cast<LPARAM>(path)) > 0) {
      try {
        preview->picture = LoadPicture(path);
      } catch (const std::exception&) {
        // Not a picture the bar can show: the preview stays empty.
      }
    }
    ::InvalidateRect(hook, nullptr, TRUE);
    return 0;
  }
  if (message == WM_PAINT) {
    PaintPreview(hook, *preview);
    return TRUE;
  }
  return FALSE;
}

// Room for the longest path the system allows, not just MAX_PATH.
std::optional<std::string> RunOpenDialog(
    OPENFILENAMEA& dialog, const OpenFileChoice& choice,
    BOOL (*run)(OPENFILENAMEA*) = &comdlg32::GetOpenFileNameA) {
  std::string path(32768, '\0');
  path.replace(0, std::min(choice.initial.size(), path.size() - 1), choice.initial);
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFilter = choice.filter;
  dialog.lpstrDefExt = choice.defaultExtension;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.Flags |= OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING |
                  (choice.mustExist ? OFN_FILEMUSTEXIST : 0);
  if (!run(&dialog)) return std::nullopt;
  path.resize(path.find('\0'));
  return path;
}

}  // namespace

std::optional<std::string> OpenFileDialog(HWND owner, const OpenFileChoice& choice) {
  OPENFILENAMEA dialog{};
  dialog.hwndOwner = owner;
  return RunOpenDialog(dialog, choice);
}

std::optional<std::string> SaveFileDialog(HWND owner, const OpenFileChoice& choice) {
  OPENFILENAMEA dialog{};
  dialog.hwndOwner = owner;
  dialog.Flags = OFN_OVERWRITEPROMPT;
  return RunOpenDialog(dialog, choice, &comdlg32::GetSaveFileNameA);
}

std::optional<std::string> OpenPictureDialog(HWND owner, const std::string& initial) {
  Preview preview;
  const std::vector<WORD> room = PreviewTemplate();
  OPENFILENAMEA dialog{};
  dialog.hwndOwner = owner;
  dialog.hInstance = reinterpret_cast<HINSTANCE>(const_cast<WORD*>(room.data()));
  dialog.Flags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATEHANDLE;
  dialog.lpfnHook = &PreviewHook;
  dialog.lCustData = reinterpret_cast<LPARAM>(&preview);
  return RunOpenDialog(
      dialog,
      {.filter = "Pictures (*.bmp;*.ico;*.wmf;*.emf;*.jpg;*.jpeg)\0*.bmp;*.ico;*.wmf;*.emf;*.jpg;"
                 "*.jpeg\0Bitmaps (*.bmp)\0*.bmp\0Icons (*.ico)\0*.ico\0Metafiles (*.wmf;*.emf)\0"
                 "*.wmf;*.emf\0JPEG images (*.jpg;*.jpeg)\0*.jpg;*.jpeg\0",
       .initial = initial,
       .mustExist = true});
}

}  // namespace platform
