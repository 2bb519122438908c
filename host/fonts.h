// Fonts for string elements and labels: the face a gauge names is drawn with
// a free stand-in ("Arial" with Liberation Sans, "Quartz" with the DSEG14
// segment face, whose letters read as letters, anything else with DejaVu Sans), rasterised by
// stb_truetype.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel::host {

// A glyph's coverage (0..255), top-down rows, placed relative to the pen
// position on the baseline.
struct GlyphCoverage {
  int left = 0;  // x of the first column relative to the pen
  int top = 0;   // y of the first row relative to the baseline (negative: above)
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;
};

class Font {
 public:
  // Reads a TrueType file; null when it cannot be read or parsed.
  static std::unique_ptr<Font> load(const std::string& path);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const std::string& path() const { return path_; }

  // The scale (pixels per font unit) that makes the line (ascent to
  // descent) `pixels` high.
  float scale_for_height(float pixels) const;
  // Ascent above and descent below the baseline, in font units (descent
  // negative).
  int ascent() const { return ascent_; }
  int descent() const { return descent_; }
  // Advance width of a character and kerning between two, in font units.
  int advance(int codepoint) const;
  int kerning(int first, int second) const;

  // Rasterises a character at `scale`, its width further narrowed by
  // `squeeze` (1: as designed), shifted right by `shift_x` (0..1) of a pixel.
  GlyphCoverage glyph(int codepoint, float scale, float shift_x, float squeeze = 1.0f) const;

 private:
  Font() = default;
  struct Info;
  std::string path_;
  std::vector<uint8_t> data_;
  std::unique_ptr<Info> info_;
  int ascent_ = 0;
  int descent_ = 0;
};

// Which file stands in for a face the gauges name.
enum class FontFace { kSans, kArial, kSevenSegment };
FontFace face_for(std::string_view face_name);
// How much of a line's height a face's characters stand: the segment face
// leaves a sixth of its line between display lines, as a display face's
// cells do; the other faces fill their line.
double character_share(FontFace face);
// The file names of a face, regular or bold.
std::string font_file_name(FontFace face, bool bold);

// Finds, loads and keeps the stand-in fonts.
class FontLibrary {
 public:
  // Folders searched, in order: $TAVREL_FONT_DIR, then the system's font
  // folders (on Windows also the folder of the program and, under Wine, the
  // Unix font folders through drive Z:).
  FontLibrary();
  // Only these folders (tests).
  explicit FontLibrary(std::vector<std::string> folders);

  // The font for a face name and weight (700 and over: bold; a missing bold
  // file falls back to the regular one). Null when no file is found.
  const Font* font(std::string_view face_name, int weight);
  const Font* font(FontFace face, bool bold);

  // Faces asked for but not found, for one warning each.
  const std::vector<std::string>& missing() const { return missing_; }

 private:
  std::unique_ptr<Font> find(const std::string& file_name) const;

  std::vector<std::string> folders_;
  std::map<std::string, std::unique_ptr<Font>> loaded_;  // by file name; null: not found
  std::vector<std::string> missing_;
};

}  // namespace tavrel::host
