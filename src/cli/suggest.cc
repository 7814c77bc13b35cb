// What an unknown option was probably meant to be.
#include "cli/suggest.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The edits from a to b, an adjacent swap counting as one (the optimal
// string alignment distance).
size_t edits(const std::string& a, const std::string& b) {
  std::vector<std::vector<size_t>> d(a.size() + 1,
                                     std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                          d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::string suggestionFor(const std::string& arg,
                          const std::vector<std::string>& words,
                          bool (*valueOption)(const std::string& word)) {
  if (arg.find_first_not_of('-') == std::string::npos ||
      arg.size() - arg.find_first_not_of('-') <= 1)
    return "";  // One letter, or none.
  const size_t equals = arg.find('=');
  if (equals != std::string::npos && valueOption(arg.substr(0, equals))) {
    std::string typed = arg;
    typed[equals] = ' ';
    return typed;
  }
  const std::string wanted = lower(arg);
  for (const std::string& word : words)
    if (wanted == "-" + lower(word)) return word;
  const std::string* best = nullptr;
  size_t fewest = 3;
  for (const std::string& word : words) {
    // Each edit changes the length by one at most: a word whose length is
    // further off cannot be near, and is not measured, so that a long
    // argument costs no more than a short one.
    const size_t longer = std::max(wanted.size(), word.size());
    if (longer - std::min(wanted.size(), word.size()) >= fewest) continue;
    const size_t n = edits(wanted, lower(word));
    if (n < fewest) {
      fewest = n;
      best = &word;
    }
  }
  return best == nullptr ? "" : *best;
}

namespace {

// text without the leading zeros of its numbers: "hcs08" is "hcs8".
std::string withoutLeadingZeros(const std::string& text) {
  auto digit = [](char c) { return isdigit(static_cast<unsigned char>(c)); };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool leads = out.empty() || !digit(out.back());
    if (text[i] != '0' || !leads || i + 1 == text.size() || !digit(text[i + 1]))
      out += text[i];
  }
  return out;
}

bool startsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

}  // namespace

const DeviceProfile* profileSuggestionFor(const std::string& arg) {
  const size_t from = arg.find_first_not_of('-');
  if (from == std::string::npos) return nullptr;
  const std::string word = lower(arg.substr(from));
  const DeviceProfile* best = nullptr;
  size_t longest = 0;
  for (const DeviceProfile& profile : deviceProfiles()) {
    for (const char* prefix : profile.prefixes) {
      const size_t n = strlen(prefix);
      if (n > longest && startsWith(word, prefix)) {
        longest = n;
        best = &profile;
      }
    }
  }
  if (best != nullptr || word.size() < 2) return best;
  size_t starts = 0;
  for (const DeviceProfile& profile : deviceProfiles()) {
    if (startsWith(profile.family, word)) {
      ++starts;
      best = &profile;
    }
  }
  if (starts == 1) return best;
  for (const DeviceProfile& profile : deviceProfiles())
    if (withoutLeadingZeros(profile.family) == withoutLeadingZeros(word))
      return &profile;
  return nullptr;
}
