#pragma once
// A feed's escaped HTML made into one line of text: tags dropped, character references
// decoded, blanks and control characters collapsed. Every step is one pass over the text.

#include <string>
#include <string_view>

namespace core {

// Tags ("<b>", "</a>", "<!-- -->") become one blank each; a "<" that starts none stays.
void StripTags(std::string& text);

// HTML's named references, decimal ("&#8217;") and hex ("&#x2019;") ones decoded, 128 to 159
// as windows-1252's characters ("&#146;" is U+2019); a name HTML does not know, and a "&" that
// starts no reference, stay as they are. A text without "&" is not copied.
void DecodeHtmlReferences(std::string& text);

// Runs of blanks, line breaks and other control characters become one blank; none at the ends.
void CollapseBlanks(std::string& text);

}  // namespace core
