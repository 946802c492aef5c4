#include "tallowik/text_pieces.h"

#include <algorithm>

namespace tallowik {

bool TextPieceReader::Next(std::string& piece) {
  piece.clear();
  if (!in_line_) {
    if (pos_ >= bytes_.size()) return false;
    std::size_t lf = bytes_.find('\n', pos_);
    if (lf == std::string_view::npos) {
      content_ = bytes_.substr(pos_);
      has_line_feed_ = false;
      pos_ = bytes_.size();
    } else {
      content_ = bytes_.substr(pos_, lf - pos_);
      if (!content_.empty() && content_.back() == '\r') content_.remove_suffix(1);
      has_line_feed_ = true;
      pos_ = lf + 1;
    }
    delivered_ = 0;
    in_line_ = true;
  }
  const std::size_t length = content_.size() + (has_line_feed_ ? 1 : 0);
  const std::size_t take = std::min(kMaxPiece, length - delivered_);
  const std::size_t from_content =
      delivered_ < content_.size() ? std::min(take, content_.size() - delivered_) : 0;
  piece.reserve(take);
  piece.append(content_.substr(delivered_, from_content));
  if (from_content < take) piece += '\n';
  delivered_ += take;
  if (delivered_ == length) in_line_ = false;
  return true;
}

}  // namespace tallowik
