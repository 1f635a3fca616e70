#pragma once

#include <string>
#include <string_view>
#include <vector>

// The running text of an HTML, XHTML or XML help page, for counting the words people write.
// Markup goes; so do the parts that are not prose: code, commands, file names, program
// output, navigation, page headers and footers, scripts, and author credits. The text of
// each block element (paragraph, heading, list item, table cell) comes out as one paragraph
// with its white space collapsed; inline elements (emphasis, links, labels) stay in the
// sentence around them.

namespace tools {

// UTF-8 in, UTF-8 out. Character references (&aacute; &#243; &#xF3;) are decoded; an unknown
// named reference becomes a space.
std::vector<std::string> markup_paragraphs(std::string_view document);

}  // namespace tools
