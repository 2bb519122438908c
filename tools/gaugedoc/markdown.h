// The Markdown our documents are written in, read and written out again as
// one self-contained HTML page (pictures inside, links within the page) and
// as plain text: headings, paragraphs, lists, tables, code blocks, and in
// running text `code`, **strong**, *emphasis*, [links](target) and
// ![pictures](file.png). HTML comments are left out.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::gaugedoc {

// A fault in a document (a picture that cannot be read), with its file.
class DocumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct Inline {
  enum class Kind { kText, kCode, kStrong, kEmphasis, kLink, kImage };
  Kind kind = Kind::kText;
  std::string text;              // text, code, a picture's description
  std::string target;            // a link's target, a picture's file
  std::vector<Inline> children;  // what strong, emphasis and links hold
};

std::vector<Inline> parse_inline(std::string_view text);

struct Block {
  enum class Kind { kHeading, kParagraph, kList, kTable, kCode };
  Kind kind = Kind::kParagraph;
  int level = 0;         // headings: 1 to 6
  std::string text;      // headings and paragraphs, lines joined by blanks
  bool ordered = false;  // lists
  int start = 1;         // an ordered list's first number
  // List items, each one or more paragraphs.
  std::vector<std::vector<std::string>> items;
  // Table rows, the heading row first.
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> lines;  // code
};

struct Document {
  std::string path;  // where it was read from: pictures and links are relative to it
  std::vector<Block> blocks;
};

Document parse_markdown(std::string_view text, const std::string& path);
// Reads a file; throws DocumentError when it cannot be read.
Document read_markdown(const std::string& path);

// The anchor a heading gets, as the common Markdown viewers make it: lower
// case, punctuation other than '-' and '_' dropped, blanks to '-'.
std::string heading_slug(std::string_view heading);

// The documents one after the other as one HTML page titled `title`, with a
// table of contents of their first two heading levels. Pictures become
// data: addresses (PNG files only); a link to a heading of one of the
// documents becomes a link within the page, and any other link its text
// alone, so that nothing on the page needs more than the page.
std::string render_html(const std::vector<Document>& documents, const std::string& title);

// The documents as plain text, lines at most `width` characters where words
// allow, ending in "\n".
std::string render_text(const std::vector<Document>& documents, int width = 78);

}  // namespace tavrel::gaugedoc
