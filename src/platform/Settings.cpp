#include "platform/Settings.h"

#include <algorithm>
#include <vector>

#include "platform/Services.h"

namespace dorvane::platform {

namespace {

std::string_view Trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

struct IniLine {
  std::size_t begin;         // offset of the line in the text
  std::size_t end;           // offset of its line end (or of the text's end)
  std::string_view section;  // the section it lies in
  std::string_view key;      // empty: a header, comment or blank line
  std::string_view value;
  bool header = false;
};

std::vector<IniLine> SplitIni(std::string_view text) {
  std::vector<IniLine> lines;
  std::string_view section;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    IniLine line{at, end, section, {}, {}};
    const std::string_view content = Trimmed(text.substr(at, end - at));
    if (content.size() >= 2 && content.front() == '[' && content.back() == ']') {
      section = Trimmed(content.substr(1, content.size() - 2));
      line.section = section;
      line.header = true;
    } else if (!content.empty() && content.front() != ';' && content.front() != '#') {
      const std::size_t equals = content.find('=');
      if (equals != std::string_view::npos) {
        line.key = Trimmed(content.substr(0, equals));
        line.value = Trimmed(content.substr(equals + 1));
      }
    }
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

}  // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
  for (const IniLine& line : SplitIni(text)) {
    if (!line.key.empty() && line.section == section && line.key == key) {
      return std::string(line.value);
    }
  }
  return std::nullopt;
}

std::string WithIniValue(std::string_view text, std::string_view section, std::string_view key,
                         std::string_view value) {
  const std::string_view lineEnd = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  std::string entry(key);
  entry.append("=").append(value);
  const std::vector<IniLine> lines = SplitIni(text);
  bool inSection = false;
  std::size_t sectionEnd = std::string_view::npos;  // after the section's last non-blank line
  for (const IniLine& line : lines) {
    if (line.section != section || (line.header && inSection)) {
      if (inSection) break;
      continue;
    }
    inSection = true;
    if (!line.key.empty() && line.key == key) {
      // The line's own value replaced, its key and any line end kept.
      std::size_t valueAt = text.find('=', line.begin) + 1;
      while (valueAt < line.end && (text[valueAt] == ' ' || text[valueAt] == '\t')) ++valueAt;
      std::size_t valueEnd = line.end;
      while (valueEnd > valueAt && (text[valueEnd - 1] == '\r' || text[valueEnd - 1] == ' ' ||
                                    text[valueEnd - 1] == '\t')) {
        --valueEnd;
      }
      std::string result(text.substr(0, valueAt));
      result.append(value).append(text.substr(valueEnd));
      return result;
    }
    if (!Trimmed(text.substr(line.begin, line.end - line.begin)).empty()) {
      sectionEnd = std::min(line.end + 1, text.size());
    }
  }
  std::string result(text);
  std::string insert;
  if (sectionEnd != std::string_view::npos) {
    // After the section's last line; a last line without its end gets one first.
    if (sectionEnd == text.size() && !text.ends_with('\n')) insert.append(lineEnd);
    insert.append(entry).append(lineEnd);
    result.insert(sectionEnd, insert);
    return result;
  }
  if (section.empty()) {
    // Keys of no section go before the first header.
    insert.append(entry).append(lineEnd);
    result.insert(0, insert);
    return result;
  }
  if (!result.empty() && !result.ends_with('\n')) result.append(lineEnd);
  if (!result.empty()) result.append(lineEnd);
  result.append("[").append(section).append("]").append(lineEnd).append(entry).append(lineEnd);
  return result;
}

Settings& ActiveSettings() {
  Settings* swapped = ActiveServices().settings;
  return swapped != nullptr ? *swapped : SystemSettings();
}

}  // namespace dorvane::platform
