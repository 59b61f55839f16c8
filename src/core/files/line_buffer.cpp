#include "files/line_buffer.h"

namespace kestrel {

void LineBuffer::Clear() {
  text_.clear();
  spans_.clear();
}

void LineBuffer::Add(std::string_view line) {
  spans_.push_back({static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(line.size())});
  text_.append(line);
}

std::string_view LineBuffer::LineView(int i) const {
  if (i < 0 || i >= Count()) return {};
  const Span& s = spans_[static_cast<size_t>(i)];
  return std::string_view(text_).substr(s.start, s.length);
}

std::string LineBuffer::ToBytes() const {
  std::string bytes;
  bytes.reserve(text_.size() + 2 * spans_.size());
  for (const Span& s : spans_) {
    bytes.append(text_, s.start, s.length);
    bytes += "\r\n";
  }
  return bytes;
}

LineBuffer LineBuffer::FromBytes(std::string bytes) {
  // The spans point into the file contents themselves; the line ends stay in the text unused.
  LineBuffer buffer;
  const size_t size = bytes.size();
  size_t start = 0;
  size_t i = 0;
  while (i < size) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    buffer.spans_.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(i - start)});
    i += (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ? 2 : 1;
    start = i;
  }
  if (start < size)
    buffer.spans_.push_back({static_cast<uint32_t>(start), static_cast<uint32_t>(size - start)});
  buffer.text_ = std::move(bytes);
  return buffer;
}

}  // namespace kestrel
