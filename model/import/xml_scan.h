#pragma once
// Just enough XML for the deck files of other programs: their elements are flat records whose
// data sits in attributes or in one text. Finding start tags and reading attributes by hand
// keeps a broken file readable up to where it breaks, which a strict parser would refuse whole.
#include <map>
#include <string>
#include <string_view>

namespace Tarvane {

// Replaces the XML entities (&amp; &lt; &gt; &quot; &apos; &#N; &#xN;) by their characters.
std::string DecodeXmlEntities(std::string_view text);

// The attributes of one start tag ("<card number="4" name="..."), name to decoded value.
std::map<std::string, std::string> XmlAttributes(std::string_view tag);

// The number (from 1) of the line that the offset is in.
int LineNumberAt(std::string_view text, size_t offset);

// Whether the UTF-8 text is XML: its first character, blanks aside, is "<".
bool LooksLikeXml(std::string_view text);

// The name of the text's root element (after the "<?xml ...?>" declaration and comments);
// empty when there is none.
std::string XmlRootName(std::string_view text);

}  // namespace Tarvane
