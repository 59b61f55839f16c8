#pragma once
// The line buffer of the kef/kep code: a file is built in full as a list of lines and written in
// one piece; reading loads the whole file and takes lines by index.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class LineBuffer {
 public:
  void Clear();
  void Add(std::string_view line);
  int Count() const { return static_cast<int>(spans_.size()); }
  /// Line i (0 first); a line past either end reads as the empty text.
  std::string Line(int i) const { return std::string(LineView(i)); }
  /// The same without a copy; valid until the buffer changes.
  std::string_view LineView(int i) const;
  /// All lines, each ended by a carriage return and a line feed, the last one included.
  std::string ToBytes() const;
  /// Splits file contents into lines: CR LF, a lone CR and a lone LF each end a line. A final
  /// line without a line end still counts; a line end at the very end adds no empty line. The
  /// contents must stay below 4 GiB (the file loader caps them far lower).
  static LineBuffer FromBytes(std::string bytes);

 private:
  struct Span {
    uint32_t start, length;
  };
  std::string text_;  ///< the lines' characters, back to back
  std::vector<Span> spans_;
};

}  // namespace kestrel
