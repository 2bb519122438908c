#include "tools/gaugedoc/markdown.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace tavrel::gaugedoc {
namespace fs = std::filesystem;
namespace {

// ---------------------------------------------------------------- reading

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool blank(std::string_view line) {
  return trim(line).empty();
}

int indent_of(std::string_view line) {
  int n = 0;
  while (n < static_cast<int>(line.size()) && line[n] == ' ') ++n;
  return n;
}

bool starts_with(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

int heading_level(std::string_view line) {
  int level = 0;
  while (level < static_cast<int>(line.size()) && line[level] == '#') ++level;
  if (level == 0 || level > 6 || level >= static_cast<int>(line.size()) || line[level] != ' ') {
    return 0;
  }
  return level;
}

bool fence(std::string_view line) {
  return starts_with(trim(line), "```");
}

// A list item's marker: "- ", "* " or "12. " after at most three blanks.
struct Marker {
  bool ordered = false;
  int number = 0;
  int content = 0;  // where the item's text starts
};

std::optional<Marker> list_marker(std::string_view line) {
  const int indent = indent_of(line);
  if (indent > 3) return std::nullopt;
  std::string_view rest = line.substr(indent);
  if (rest.size() >= 2 && (rest[0] == '-' || rest[0] == '*') && rest[1] == ' ') {
    return Marker{false, 0, indent + 2};
  }
  size_t digits = 0;
  while (digits < rest.size() && digits < 9 &&
         std::isdigit(static_cast<unsigned char>(rest[digits]))) {
    ++digits;
  }
  if (digits > 0 && digits + 1 < rest.size() && rest[digits] == '.' && rest[digits + 1] == ' ') {
    return Marker{true, std::stoi(std::string(rest.substr(0, digits))),
                  indent + static_cast<int>(digits) + 2};
  }
  return std::nullopt;
}

bool table_separator(std::string_view line) {
  line = trim(line);
  if (line.empty() || line[0] != '|') return false;
  return line.find_first_not_of("|-: ") == std::string_view::npos &&
         line.find('-') != std::string_view::npos;
}

std::vector<std::string> table_cells(std::string_view line) {
  line = trim(line);
  if (!line.empty() && line.front() == '|') line.remove_prefix(1);
  if (!line.empty() && line.back() == '|' && !(line.size() > 1 && line[line.size() - 2] == '\\')) {
    line.remove_suffix(1);
  }
  std::vector<std::string> cells;
  std::string cell;
  bool in_code = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '|') {
      cell += '|';
      ++i;
    } else if (c == '`') {
      in_code = !in_code;
      cell += c;
    } else if (c == '|' && !in_code) {
      cells.emplace_back(trim(cell));
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells.emplace_back(trim(cell));
  return cells;
}

// Whether a line starts a block of its own (and so ends a paragraph).
bool starts_block(std::string_view line) {
  return heading_level(line) > 0 || fence(line) || starts_with(trim(line), "<!--") ||
         list_marker(line).has_value();
}

std::string join(const std::vector<std::string_view>& lines) {
  std::string text;
  for (std::string_view l : lines) {
    if (!text.empty()) text += ' ';
    text += trim(l);
  }
  return text;
}

// ---------------------------------------------------------------- running text

size_t find_closing(std::string_view text, size_t from, std::string_view mark) {
  for (size_t i = from; i + mark.size() <= text.size(); ++i) {
    if (text[i] == '`') {  // code spans hold no marks
      size_t end = text.find('`', i + 1);
      if (end == std::string_view::npos) return std::string_view::npos;
      i = end;
      continue;
    }
    if (text.substr(i, mark.size()) == mark) return i;
  }
  return std::string_view::npos;
}

// "[label](target)" from `open` (the '['): the label's end and the target's,
// or false.
bool link_parts(std::string_view text, size_t open, size_t& label_end, size_t& target_end) {
  int depth = 0;
  for (size_t i = open; i < text.size(); ++i) {
    if (text[i] == '[') ++depth;
    if (text[i] == ']' && --depth == 0) {
      if (i + 1 >= text.size() || text[i + 1] != '(') return false;
      size_t close = text.find(')', i + 2);
      if (close == std::string_view::npos) return false;
      label_end = i;
      target_end = close;
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- output helpers

std::string html_escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string base64(const std::string& bytes) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < bytes.size(); i += 3) {
    const uint32_t n = (static_cast<uint8_t>(bytes[i]) << 16) |
                       (static_cast<uint8_t>(bytes[i + 1]) << 8) |
                       static_cast<uint8_t>(bytes[i + 2]);
    out += kAlphabet[n >> 18];
    out += kAlphabet[(n >> 12) & 63];
    out += kAlphabet[(n >> 6) & 63];
    out += kAlphabet[n & 63];
  }
  if (i < bytes.size()) {
    uint32_t n = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    out += kAlphabet[n >> 18];
    out += kAlphabet[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(n >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string read_file(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw DocumentError("cannot read " + path);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

bool external(std::string_view target) {
  return target.find("://") != std::string_view::npos || starts_with(target, "mailto:");
}

// The words of running text: for a heading's anchor (pictures by their
// description), or for plain text (pictures marked, web addresses shown).
std::string words_of(const std::vector<Inline>& spans, bool for_text) {
  std::string out;
  for (const Inline& s : spans) {
    switch (s.kind) {
      case Inline::Kind::kText:
      case Inline::Kind::kCode:
        out += s.text;
        break;
      case Inline::Kind::kImage:
        out += for_text ? "[picture: " + s.text + "]" : s.text;
        break;
      case Inline::Kind::kLink:
        out += words_of(s.children, for_text);
        if (for_text && external(s.target)) out += " (" + s.target + ")";
        break;
      default:
        out += words_of(s.children, for_text);
    }
  }
  return out;
}

std::string plain(const std::vector<Inline>& spans) {
  return words_of(spans, false);
}

// Characters of a UTF-8 text (continuation bytes do not count).
int columns(std::string_view text) {
  int n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// ---------------------------------------------------------------- the page

// Where each heading of the documents lands on the page.
class Anchors {
 public:
  explicit Anchors(const std::vector<Document>& documents) : documents_(documents) {
    std::set<std::string> taken;
    for (size_t d = 0; d < documents.size(); ++d) {
      std::map<std::string, int> seen;  // a document's own duplicate slugs get -1, -2, ...
      for (const Block& b : documents[d].blocks) {
        if (b.kind != Block::Kind::kHeading) continue;
        std::string slug = heading_slug(plain(parse_inline(b.text)));
        int& count = seen[slug];
        std::string local = count == 0 ? slug : slug + "-" + std::to_string(count);
        ++count;
        std::string id = local;
        for (int n = 2; taken.count(id) != 0; ++n) id = local + "-" + std::to_string(n);
        taken.insert(id);
        ids_[{d, local}] = id;
        if (first_.size() <= d) first_.resize(d + 1);
        if (first_[d].empty()) first_[d] = id;
        heading_ids_.push_back(id);
      }
    }
  }

  // The id of each heading, in order.
  const std::vector<std::string>& heading_ids() const { return heading_ids_; }

  // The page's anchor for a link of document `d`, or empty when it leads
  // off the page.
  std::string resolve(size_t d, const std::string& target) const {
    if (external(target)) return "";
    const size_t hash = target.find('#');
    const std::string file = target.substr(0, hash);
    const std::string fragment = hash == std::string::npos ? "" : target.substr(hash + 1);
    size_t into = d;
    if (!file.empty()) {
      const fs::path wanted =
          (fs::path(documents_[d].path).parent_path() / file).lexically_normal();
      into = documents_.size();
      for (size_t e = 0; e < documents_.size(); ++e) {
        if (fs::path(documents_[e].path).lexically_normal() == wanted) into = e;
      }
      if (into == documents_.size()) return "";
      if (fragment.empty()) return into < first_.size() ? first_[into] : "";
    }
    auto found = ids_.find({into, fragment});
    if (found == ids_.end()) {
      throw DocumentError(documents_[d].path + ": the link " + target +
                          " names no heading of the page");
    }
    return found->second;
  }

 private:
  const std::vector<Document>& documents_;
  std::map<std::pair<size_t, std::string>, std::string> ids_;
  std::vector<std::string> first_;
  std::vector<std::string> heading_ids_;
};

class HtmlWriter {
 public:
  HtmlWriter(const std::vector<Document>& documents, const Anchors& anchors)
      : documents_(documents), anchors_(anchors) {}

  std::string spans(size_t d, const std::vector<Inline>& list) const {
    std::string out;
    for (const Inline& s : list) {
      switch (s.kind) {
        case Inline::Kind::kText:
          out += html_escape(s.text);
          break;
        case Inline::Kind::kCode:
          out += "<code>" + html_escape(s.text) + "</code>";
          break;
        case Inline::Kind::kStrong:
          out += "<strong>" + spans(d, s.children) + "</strong>";
          break;
        case Inline::Kind::kEmphasis:
          out += "<em>" + spans(d, s.children) + "</em>";
          break;
        case Inline::Kind::kLink: {
          const std::string anchor = anchors_.resolve(d, s.target);
          if (!anchor.empty()) {
            out += "<a href=\"#" + html_escape(anchor) + "\">" + spans(d, s.children) + "</a>";
          } else if (external(s.target)) {
            out += spans(d, s.children) + " (" + html_escape(s.target) + ")";
          } else {
            out += spans(d, s.children);
          }
          break;
        }
        case Inline::Kind::kImage:
          out += "<img src=\"" + picture(d, s.target) + "\" alt=\"" + html_escape(s.text) + "\">";
          break;
      }
    }
    return out;
  }

  std::string block(size_t d, const Block& b, size_t& heading) const {
    switch (b.kind) {
      case Block::Kind::kHeading: {
        const std::string level = std::to_string(b.level);
        return "<h" + level + " id=\"" + anchors_.heading_ids()[heading++] + "\">" +
               spans(d, parse_inline(b.text)) + "</h" + level + ">\n";
      }
      case Block::Kind::kParagraph:
        return "<p>" + spans(d, parse_inline(b.text)) + "</p>\n";
      case Block::Kind::kList: {
        std::string out = b.ordered
                              ? (b.start == 1 ? std::string("<ol>\n")
                                              : "<ol start=\"" + std::to_string(b.start) + "\">\n")
                              : std::string("<ul>\n");
        for (const std::vector<std::string>& item : b.items) {
          out += "<li>";
          for (size_t p = 0; p < item.size(); ++p) {
            const std::string text = spans(d, parse_inline(item[p]));
            out += item.size() == 1 ? text : "<p>" + text + "</p>";
          }
          out += "</li>\n";
        }
        return out + (b.ordered ? "</ol>\n" : "</ul>\n");
      }
      case Block::Kind::kTable: {
        std::string out = "<table>\n";
        for (size_t r = 0; r < b.rows.size(); ++r) {
          const char* cell = r == 0 ? "th" : "td";
          if (r == 0) out += "<thead>\n";
          if (r == 1) out += "<tbody>\n";
          out += "<tr>";
          for (const std::string& c : b.rows[r]) {
            out += std::string("<") + cell + ">" + spans(d, parse_inline(c)) + "</" + cell + ">";
          }
          out += "</tr>\n";
          if (r == 0) out += "</thead>\n";
        }
        if (b.rows.size() > 1) out += "</tbody>\n";
        return out + "</table>\n";
      }
      case Block::Kind::kCode: {
        std::string out = "<pre><code>";
        for (const std::string& line : b.lines) out += html_escape(line) + "\n";
        return out + "</code></pre>\n";
      }
    }
    return "";
  }

 private:
  std::string picture(size_t d, const std::string& target) const {
    if (external(target)) {
      throw DocumentError(documents_[d].path + ": the picture " + target + " is not a file");
    }
    const fs::path file = fs::path(documents_[d].path).parent_path() / target;
    std::string extension = file.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".png") {
      throw DocumentError(documents_[d].path + ": the picture " + target + " is not a PNG file");
    }
    return "data:image/png;base64," + base64(read_file(file.string()));
  }

  const std::vector<Document>& documents_;
  const Anchors& anchors_;
};

const char kStyle[] = R"(
body { font: 15px/1.5 "Segoe UI", Tahoma, "DejaVu Sans", sans-serif; color: #1d1d1f;
       margin: 0; background: #fbfaf7; }
main, nav { max-width: 62em; margin: 0 auto; padding: 0 1.5em; }
nav { padding-top: 1.5em; }
nav ul { padding-left: 1.2em; }
nav ul ul { columns: 3 14em; font-size: 92%; }
h1 { border-bottom: 2px solid #c8c2b4; padding-bottom: .2em; margin-top: 2em; }
h2 { margin-top: 1.8em; border-bottom: 1px solid #e0dbd0; }
code { font: 90% "Consolas", "DejaVu Sans Mono", monospace; background: #efece4;
       padding: 0 .2em; border-radius: 3px; }
pre { background: #2b2d30; color: #e8e6df; padding: .8em 1em; overflow-x: auto;
      border-radius: 4px; }
pre code { background: none; color: inherit; padding: 0; }
table { border-collapse: collapse; margin: .8em 0; }
th, td { border: 1px solid #d6d0c4; padding: .25em .6em; vertical-align: top; text-align: left; }
th { background: #efece4; }
img { display: block; max-width: 100%; background: #484440; padding: 6px; border-radius: 4px;
      image-rendering: auto; }
a { color: #1a5c9a; }
@media print { nav { display: none; } pre { white-space: pre-wrap; } }
)";

// ---------------------------------------------------------------- plain text

// ASCII for the few characters our documents use beyond it, so that any
// editor shows the text.
std::string ascii(std::string_view text) {
  static const std::pair<const char*, const char*> kSwaps[] = {
      {"\xC3\x97", "x"},      {"\xC2\xB0", " deg"},   {"\xE2\x80\x93", "-"},
      {"\xE2\x80\x94", "--"}, {"\xE2\x80\x98", "'"},  {"\xE2\x80\x99", "'"},
      {"\xE2\x80\x9C", "\""}, {"\xE2\x80\x9D", "\""}, {"\xE2\x80\xA6", "..."},
      {"\xE2\x88\x92", "-"},  {"\xC2\xA0", " "}};
  std::string out(text);
  for (const auto& [from, to] : kSwaps) {
    for (size_t at = out.find(from); at != std::string::npos; at = out.find(from, at)) {
      out.replace(at, std::string_view(from).size(), to);
      at += std::string_view(to).size();
    }
  }
  return out;
}

std::string text_of(const std::vector<Inline>& spans) {
  return ascii(words_of(spans, true));
}

// Words filled into lines of at most `width` characters (a longer word
// stands alone).
std::vector<std::string> fill(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream words(text);
  std::string word;
  while (words >> word) {
    if (!line.empty() && columns(line) + 1 + columns(word) > width) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  return lines;
}

std::string indented(const std::vector<std::string>& lines, const std::string& first,
                     const std::string& rest) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) out += (i == 0 ? first : rest) + lines[i] + "\n";
  return out;
}

std::string padded(const std::string& text, int width) {
  return text + std::string(static_cast<size_t>(std::max(0, width - columns(text))), ' ');
}

std::string text_table(const Block& b, int width) {
  const size_t count = b.rows.empty() ? 0 : b.rows[0].size();
  std::vector<std::vector<std::string>> cells;
  std::vector<int> widths(count, 3);
  for (const auto& row : b.rows) {
    std::vector<std::string>& out = cells.emplace_back();
    for (size_t c = 0; c < count; ++c) {
      out.push_back(c < row.size() ? text_of(parse_inline(row[c])) : "");
      widths[c] = std::max(widths[c], columns(out.back()));
    }
  }
  // Narrow the widest column until the table fits.
  const int gaps = 2 * static_cast<int>(count > 0 ? count - 1 : 0);
  auto total = [&] {
    int sum = gaps;
    for (int w : widths) sum += w;
    return sum;
  };
  while (total() > width) {
    auto widest = std::max_element(widths.begin(), widths.end());
    if (*widest <= 12) break;
    --*widest;
  }
  std::string out;
  for (size_t r = 0; r < cells.size(); ++r) {
    std::vector<std::vector<std::string>> wrapped;
    size_t height = 1;
    for (size_t c = 0; c < count; ++c) {
      wrapped.push_back(fill(cells[r][c], widths[c]));
      height = std::max(height, wrapped.back().size());
    }
    for (size_t line = 0; line < height; ++line) {
      std::string text;
      for (size_t c = 0; c < count; ++c) {
        const std::string part = line < wrapped[c].size() ? wrapped[c][line] : "";
        text += c + 1 < count ? padded(part, widths[c]) + "  " : part;
      }
      while (!text.empty() && text.back() == ' ') text.pop_back();
      out += text + "\n";
    }
    if (r == 0) {
      std::string rule;
      for (size_t c = 0; c < count; ++c) {
        rule += std::string(static_cast<size_t>(widths[c]), '-') + (c + 1 < count ? "  " : "");
      }
      out += rule + "\n";
    }
  }
  return out;
}

std::string text_block(const Block& b, int width) {
  switch (b.kind) {
    case Block::Kind::kHeading: {
      const std::string title = text_of(parse_inline(b.text));
      if (b.level >= 4) return title + "\n";
      const char rule = b.level == 1 ? '=' : b.level == 2 ? '-' : '~';
      return title + "\n" + std::string(static_cast<size_t>(columns(title)), rule) + "\n";
    }
    case Block::Kind::kParagraph:
      return indented(fill(text_of(parse_inline(b.text)), width), "", "");
    case Block::Kind::kList: {
      std::string out;
      int number = b.start;
      for (const std::vector<std::string>& item : b.items) {
        const std::string marker = b.ordered ? std::to_string(number++) + ". " : "- ";
        const std::string hang(marker.size(), ' ');
        for (size_t p = 0; p < item.size(); ++p) {
          const auto lines =
              fill(text_of(parse_inline(item[p])), width - static_cast<int>(hang.size()));
          if (p > 0) out += "\n";
          out += indented(lines, p == 0 ? marker : hang, hang);
        }
      }
      return out;
    }
    case Block::Kind::kTable:
      return text_table(b, width);
    case Block::Kind::kCode: {
      std::string out;
      for (const std::string& line : b.lines)
        out += (line.empty() ? "" : "    " + ascii(line)) + "\n";
      return out;
    }
  }
  return "";
}

}  // namespace

std::vector<Inline> parse_inline(std::string_view text) {
  std::vector<Inline> out;
  std::string plain_text;
  auto flush = [&] {
    if (!plain_text.empty()) out.push_back({Inline::Kind::kText, plain_text, "", {}});
    plain_text.clear();
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size() && std::ispunct(static_cast<unsigned char>(text[i + 1]))) {
      plain_text += text[++i];
    } else if (c == '`') {
      size_t run = 1;
      while (i + run < text.size() && text[i + run] == '`') ++run;
      const std::string mark(run, '`');
      size_t end = text.find(mark, i + run);
      if (end == std::string_view::npos) {
        plain_text += mark;
        i += run - 1;
        continue;
      }
      std::string_view code = text.substr(i + run, end - i - run);
      if (code.size() >= 2 && code.front() == ' ' && code.back() == ' ') {
        code = code.substr(1, code.size() - 2);
      }
      flush();
      out.push_back({Inline::Kind::kCode, std::string(code), "", {}});
      i = end + run - 1;
    } else if ((c == '[' || (c == '!' && i + 1 < text.size() && text[i + 1] == '['))) {
      const size_t open = c == '!' ? i + 1 : i;
      size_t label_end = 0, target_end = 0;
      if (!link_parts(text, open, label_end, target_end)) {
        plain_text += c;
        continue;
      }
      std::string_view label = text.substr(open + 1, label_end - open - 1);
      std::string target(trim(text.substr(label_end + 2, target_end - label_end - 2)));
      flush();
      if (c == '!') {
        out.push_back({Inline::Kind::kImage, std::string(label), target, {}});
      } else {
        out.push_back({Inline::Kind::kLink, "", target, parse_inline(label)});
      }
      i = target_end;
    } else if (c == '*' && i + 1 < text.size() && text[i + 1] == '*') {
      size_t end = find_closing(text, i + 2, "**");
      if (end == std::string_view::npos || end == i + 2) {
        plain_text += "**";
        ++i;
        continue;
      }
      flush();
      out.push_back({Inline::Kind::kStrong, "", "", parse_inline(text.substr(i + 2, end - i - 2))});
      i = end + 1;
    } else if (c == '*' && i + 1 < text.size() && text[i + 1] != ' ') {
      size_t end = find_closing(text, i + 1, "*");
      if (end == std::string_view::npos || text[end - 1] == ' ') {
        plain_text += c;
        continue;
      }
      flush();
      out.push_back(
          {Inline::Kind::kEmphasis, "", "", parse_inline(text.substr(i + 1, end - i - 1))});
      i = end;
    } else {
      plain_text += c;
    }
  }
  flush();
  return out;
}

Document parse_markdown(std::string_view text, const std::string& path) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  Document doc;
  doc.path = path;
  size_t i = 0;
  const size_t n = lines.size();
  while (i < n) {
    std::string_view line = lines[i];
    if (blank(line)) {
      ++i;
    } else if (starts_with(trim(line), "<!--")) {
      while (i < n && lines[i].find("-->") == std::string_view::npos) ++i;
      ++i;
    } else if (fence(line)) {
      Block code;
      code.kind = Block::Kind::kCode;
      const int indent = indent_of(line);
      for (++i; i < n && !fence(lines[i]); ++i) {
        std::string_view l = lines[i];
        l.remove_prefix(static_cast<size_t>(std::min(indent, indent_of(l))));
        code.lines.emplace_back(l);
      }
      ++i;
      doc.blocks.push_back(std::move(code));
    } else if (int level = heading_level(line)) {
      Block heading;
      heading.kind = Block::Kind::kHeading;
      heading.level = level;
      heading.text = std::string(trim(line.substr(static_cast<size_t>(level))));
      doc.blocks.push_back(std::move(heading));
      ++i;
    } else if (trim(line).front() == '|' && i + 1 < n && table_separator(lines[i + 1])) {
      Block table;
      table.kind = Block::Kind::kTable;
      table.rows.push_back(table_cells(line));
      for (i += 2; i < n && !blank(lines[i]) && trim(lines[i]).front() == '|'; ++i) {
        table.rows.push_back(table_cells(lines[i]));
      }
      doc.blocks.push_back(std::move(table));
    } else if (std::optional<Marker> first = list_marker(line)) {
      Block list;
      list.kind = Block::Kind::kList;
      list.ordered = first->ordered;
      list.start = first->number;
      std::vector<std::string_view> paragraph;
      auto end_paragraph = [&] {
        if (!paragraph.empty()) list.items.back().push_back(join(paragraph));
        paragraph.clear();
      };
      bool after_blank = false;
      while (i < n) {
        std::string_view l = lines[i];
        std::optional<Marker> marker = list_marker(l);
        if (marker && marker->ordered == list.ordered && indent_of(l) <= 1) {
          end_paragraph();
          list.items.emplace_back();
          paragraph.push_back(l.substr(static_cast<size_t>(marker->content)));
          after_blank = false;
        } else if (blank(l)) {
          after_blank = true;
        } else if (indent_of(l) >= 2) {
          if (after_blank) end_paragraph();
          paragraph.push_back(l);
          after_blank = false;
        } else if (!after_blank && !starts_block(l)) {
          paragraph.push_back(l);  // a lazy continuation line
        } else {
          break;
        }
        ++i;
      }
      end_paragraph();
      doc.blocks.push_back(std::move(list));
    } else if (indent_of(line) >= 4) {
      Block code;
      code.kind = Block::Kind::kCode;
      for (; i < n && (blank(lines[i]) || indent_of(lines[i]) >= 4); ++i) {
        code.lines.emplace_back(blank(lines[i]) ? std::string_view() : lines[i].substr(4));
      }
      while (!code.lines.empty() && code.lines.back().empty()) code.lines.pop_back();
      doc.blocks.push_back(std::move(code));
    } else {
      std::vector<std::string_view> paragraph;
      for (; i < n && !blank(lines[i]) && (paragraph.empty() || !starts_block(lines[i])); ++i) {
        paragraph.push_back(lines[i]);
      }
      Block p;
      p.kind = Block::Kind::kParagraph;
      p.text = join(paragraph);
      doc.blocks.push_back(std::move(p));
    }
  }
  return doc;
}

Document read_markdown(const std::string& path) {
  return parse_markdown(read_file(path), path);
}

std::string heading_slug(std::string_view heading) {
  std::string slug;
  for (char c : heading) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '_' || u >= 0x80) {
      slug += static_cast<char>(std::tolower(u));
    } else if (c == ' ') {
      slug += '-';
    }
  }
  return slug;
}

std::string render_html(const std::vector<Document>& documents, const std::string& title) {
  const Anchors anchors(documents);
  const HtmlWriter writer(documents, anchors);
  // The contents: every first-level heading with the second-level ones
  // under it.
  struct Entry {
    std::string link;
    std::vector<std::string> under;
  };
  std::vector<Entry> entries;
  size_t heading = 0;
  for (size_t d = 0; d < documents.size(); ++d) {
    for (const Block& b : documents[d].blocks) {
      if (b.kind != Block::Kind::kHeading) continue;
      const std::string& id = anchors.heading_ids()[heading++];
      if (b.level > 2) continue;
      std::string link =
          "<a href=\"#" + id + "\">" + writer.spans(d, parse_inline(b.text)) + "</a>";
      if (b.level == 1 || entries.empty()) {
        entries.push_back({std::move(link), {}});
      } else {
        entries.back().under.push_back(std::move(link));
      }
    }
  }
  std::string contents = "<nav>\n<p><strong>Contents</strong></p>\n<ul>\n";
  for (const Entry& e : entries) {
    contents += "<li>" + e.link;
    if (!e.under.empty()) {
      contents += "\n<ul>\n";
      for (const std::string& link : e.under) contents += "<li>" + link + "</li>\n";
      contents += "</ul>\n";
    }
    contents += "</li>\n";
  }
  contents += "</ul>\n</nav>\n";

  std::string body;
  heading = 0;
  for (size_t d = 0; d < documents.size(); ++d) {
    for (const Block& b : documents[d].blocks) body += writer.block(d, b, heading);
  }
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
         html_escape(title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n" +
         contents + "<main>\n" + body + "</main>\n</body>\n</html>\n";
}

std::string render_text(const std::vector<Document>& documents, int width) {
  std::string out;
  for (const Document& doc : documents) {
    for (const Block& b : doc.blocks) {
      if (!out.empty()) out += "\n";
      if (b.kind == Block::Kind::kHeading && b.level <= 2 && !out.empty()) out += "\n";
      out += text_block(b, width);
    }
  }
  return out;
}

}  // namespace tavrel::gaugedoc
