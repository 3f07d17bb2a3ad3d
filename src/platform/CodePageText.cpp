#include "platform/CodePageText.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/text/SingleByteText.h"
#include "core/text/Utf8.h"

namespace platform {
namespace {

using Kind = core::TextEncoding::Kind;

// Converted a piece at a time, so that a large file needs no wide copy of itself.
constexpr std::size_t kPieceBytes = 256 * 1024;

bool IsHighSurrogate(wchar_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

class NarrowWriter {
 public:
  explicit NarrowWriter(std::size_t expected) { text_.reserve(expected); }

  void Append(const wchar_t* wide, int length) {
    if (length <= 0) return;
    const int needed = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                             nullptr, nullptr);
    const std::size_t at = text_.size();
    text_.resize(at + static_cast<std::size_t>(needed));
    BOOL usedDefault = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, length, text_.data() + at, needed,
                          "?", &usedDefault);
    lossy_ = lossy_ || usedDefault;
  }
  std::string Take() { return std::move(text_); }
  bool Lossy() const { return lossy_; }

 private:
  std::string text_;
  bool lossy_ = false;
};

// Multi-byte text (UTF-8 or a code page) up to its first NUL.
bool ConvertMultiByte(std::string& bytes, std::size_t start, UINT codePage) {
  const std::size_t nul = bytes.find('\0', start);
  const std::size_t end = nul == std::string::npos ? bytes.size() : nul;
  NarrowWriter writer(end - start);
  std::vector<wchar_t> wide(kPieceBytes);
  for (std::size_t at = start; at < end;) {
    std::size_t take = std::min(kPieceBytes, end - at);
    // A piece never ends inside a UTF-8 sequence.
    if (codePage == CP_UTF8 && at + take < end) {
      while (take > 1 && core::utf8::IsContinuation(bytes[at + take])) --take;
    }
    const int length = ::MultiByteToWideChar(codePage, 0, bytes.data() + at, static_cast<int>(take),
                                             wide.data(), static_cast<int>(wide.size()));
    writer.Append(wide.data(), length);
    at += take;
  }
  bytes = writer.Take();
  return writer.Lossy();
}

bool ConvertUtf16(std::string& bytes, std::size_t start, bool bigEndian) {
  const std::size_t units = (bytes.size() - start) / 2;  // an odd last byte is no character
  NarrowWriter writer(units);
  std::vector<wchar_t> wide(kPieceBytes / 2);
  std::size_t unit = 0;
  bool ended = false;
  while (unit < units && !ended) {
    std::size_t count = 0;
    while (count < wide.size() && unit < units) {
      const auto* pair = reinterpret_cast<const unsigned char*>(bytes.data() + start + unit * 2);
      const auto value =
          static_cast<wchar_t>(bigEndian ? (pair[0] << 8) | pair[1] : (pair[1] << 8) | pair[0]);
      if (value == 0) {
        ended = true;
        break;
      }
      wide[count++] = value;
      ++unit;
    }
    // A surrogate pair stays in one piece.
    if (!ended && unit < units && count > 1 && IsHighSurrogate(wide[count - 1])) {
      --count;
      --unit;
    }
    writer.Append(wide.data(), static_cast<int>(count));
  }
  bytes = writer.Take();
  return writer.Lossy();
}

bool SystemCodePageIsSingleByte() {
  CPINFO info{};
  return ::GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

// Each character through the system's conversion and back: the byte where it comes back whole.
std::unique_ptr<core::SingleByteTable> SystemCodePageTable() {
  auto table = std::make_unique<core::SingleByteTable>();
  std::vector<wchar_t> characters(table->size());
  for (std::size_t c = 0; c < characters.size(); ++c) characters[c] = static_cast<wchar_t>(c);
  std::string bytes(table->size(), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, characters.data(), static_cast<int>(characters.size()),
                        bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
  std::vector<wchar_t> back(table->size());
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), back.data(),
                        static_cast<int>(back.size()));
  for (std::size_t c = 0; c < table->size(); ++c) {
    (*table)[c] = back[c] == characters[c] ? static_cast<unsigned char>(bytes[c]) : 0;
  }
  return table;
}

// UTF-8 or UTF-16 into a single-byte system code page, in place.
bool ConvertThroughTable(std::string& bytes, const core::TextEncoding& encoding) {
  const auto table = SystemCodePageTable();
  const std::size_t from = encoding.markLength;
  const core::Converted converted =
      encoding.kind == Kind::Utf8 ? core::Utf8ToSingleByte(bytes.data(), from, bytes.size(), *table)
                                  : core::Utf16ToSingleByte(bytes.data(), from, bytes.size(),
                                                            encoding.kind == Kind::Utf16BE, *table);
  bytes.resize(converted.length);
  return converted.lossy;
}

}  // namespace

unsigned SystemCodePage() {
  return ::GetACP();
}

bool ConvertToSystemCodePage(std::string& bytes, const core::TextEncoding& encoding) {
  if (encoding.kind != Kind::CodePage && SystemCodePageIsSingleByte()) {
    return ConvertThroughTable(bytes, encoding);
  }
  switch (encoding.kind) {
    case Kind::Utf8: return ConvertMultiByte(bytes, encoding.markLength, CP_UTF8);
    case Kind::Utf16LE: return ConvertUtf16(bytes, encoding.markLength, false);
    case Kind::Utf16BE: return ConvertUtf16(bytes, encoding.markLength, true);
    case Kind::CodePage:
      if (encoding.codePage == 0 || encoding.codePage == ::GetACP()) {
        bytes.erase(0, encoding.markLength);
        return false;
      }
      return ConvertMultiByte(bytes, encoding.markLength, encoding.codePage);
  }
  return false;
}

bool ToSystemCodePage(std::string& bytes, const std::optional<core::TextEncoding>& declared) {
  // Neither declared nor marked: UTF-8 is converted in the same walk that validates it.
  if (!declared && !core::EncodingOfMark(bytes) && SystemCodePageIsSingleByte()) {
    if (!core::MayBeUtf8(bytes)) return false;
    return core::Utf8ToSingleByteIfValid(bytes, *SystemCodePageTable()).value_or(false);
  }
  return ConvertToSystemCodePage(bytes, core::EncodingOf(bytes, declared));
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return std::string();
  const int size = static_cast<int>(bytes.size());
  const int wideLength = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  if (wideLength <= 0) return std::nullopt;
  std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength));
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), wideLength);
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace platform
