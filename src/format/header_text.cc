// The header text of an image.
#include "format/header_text.h"

std::string headerText(const RecordShape& shape, const std::string& name) {
  return shape.headerGiven ? shape.header : name.substr(0, kHeaderNameBytes);
}

std::string commentText(const std::string& text, bool cComment) {
  std::string safe = text;
  for (size_t k = 0; k < safe.size(); ++k) {
    const auto c = static_cast<unsigned char>(safe[k]);
    if (c < 0x20 || c > 0x7E) safe[k] = '?';
    if (!cComment || c != '/') continue;
    if ((k > 0 && safe[k - 1] == '*') ||
        (k + 1 < safe.size() && safe[k + 1] == '*'))
      safe[k] = '?';
  }
  return safe;
}
