#include "platform/ini_file.h"

#include <cstring>
#include <system_error>

#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace tavolo {

namespace fs = std::filesystem;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsSjisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares two Shift-JIS names, folding the case of ASCII letters only: the
// second byte of a double-byte character may look like a letter and must be
// compared exactly.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto c = static_cast<unsigned char>(a[i]);
    if (IsSjisLead(c) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// Position of the last ']' that is a character of its own (not the second
// byte of a double-byte character). The last one, so that a name holding "]"
// reads back whole: the writer puts the name between "[" and "]" unchanged.
std::size_t FindClosingBracket(std::string_view s) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (IsSjisLead(c)) {
      ++i;
    } else if (c == ']') {
      found = i;
    }
  }
  return found;
}

// "[name]" (leading blanks allowed): the name, trimmed.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = TrimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  line.remove_prefix(1);
  const std::size_t close = FindClosingBracket(line);
  return TrimBlanks(close == std::string_view::npos ? line : line.substr(0, close));
}

// A Shift-JIS name with its ASCII letters folded, as SameName compares.
std::string FoldName(std::string_view sjis) {
  std::string folded(sjis);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    if (IsSjisLead(static_cast<unsigned char>(folded[i]))) {
      ++i;
    } else {
      folded[i] = FoldAscii(folded[i]);
    }
  }
  return folded;
}

// "key=value": '=' cannot be the second byte of a double-byte character, so a
// plain search is safe.
bool SplitKeyLine(std::string_view line, std::string_view* key, std::string_view* value) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[') return false;
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  *key = TrimBlanks(line.substr(0, eq));
  *value = line.substr(eq + 1);
  return true;
}

std::string OneLine(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

std::string CutValue(std::string_view sjisValue, std::size_t limit) {
  sjisValue = TrimBlanks(sjisValue);
  if (sjisValue.size() <= limit) return std::string(sjisValue);
  // Cut at the limit without leaving half a double-byte character.
  std::size_t i = 0;
  while (i < sjisValue.size()) {
    const std::size_t w = IsSjisLead(static_cast<unsigned char>(sjisValue[i])) ? 2 : 1;
    if (i + w > limit) break;
    i += w;
  }
  return std::string(sjisValue.substr(0, i));
}

}  // namespace

IniDocument IniDocument::Parse(std::string bytes, std::size_t valueLimit) {
  IniDocument doc;
  doc.bytes_ = std::move(bytes);
  doc.valueLimit_ = valueLimit;
  doc.Index();
  return doc;
}

std::string IniDocument::SectionKey(std::string_view section) {
  return FoldName(TrimBlanks(EncodeCp932(OneLine(section))));
}

void IniDocument::Index() {
  lines_.clear();
  sections_.clear();
  sectionIndex_.clear();
  const char* data = bytes_.data();
  const std::size_t n = bytes_.size();
  std::size_t start = 0;
  while (start < n) {
    std::size_t end = start;
    while (end < n && data[end] != '\r' && data[end] != '\n') ++end;
    lines_.push_back({start, end});
    if (end < n && data[end] == '\r' && end + 1 < n && data[end + 1] == '\n') ++end;
    start = end + 1;
  }
  // One pass finds every section: where it starts and ends; then each is
  // found by name.
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (!SectionName(LineText(i))) continue;
    if (!sections_.empty()) sections_.back().endLine = i;
    sections_.push_back({i, lines_.size()});
  }
  sectionIndex_.reserve(sections_.size());
  for (std::size_t s = 0; s < sections_.size(); ++s)
    sectionIndex_.emplace(FoldName(*SectionName(LineText(sections_[s].header))), s);
}

std::string_view IniDocument::LineText(std::size_t i) const {
  return std::string_view(bytes_).substr(lines_[i].begin, lines_[i].end - lines_[i].begin);
}

std::optional<IniDocument::Span> IniDocument::FindSection(std::string_view section) const {
  const auto it = sectionIndex_.find(SectionKey(section));
  if (it == sectionIndex_.end()) return std::nullopt;
  return sections_[it->second];
}

std::optional<std::size_t> IniDocument::FindKey(const Span& span, std::string_view sjisKey) const {
  std::string_view key, value;
  for (std::size_t i = span.header + 1; i < span.endLine; ++i)
    if (SplitKeyLine(LineText(i), &key, &value) && SameName(key, sjisKey)) return i;
  return std::nullopt;
}

std::vector<std::string> IniDocument::Sections() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Span& span : sections_)
    names.push_back(DecodeCp932(*SectionName(LineText(span.header))));
  return names;
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const auto span = FindSection(section);
  if (!span) return keys;
  std::string_view key, value;
  for (std::size_t i = span->header + 1; i < span->endLine; ++i)
    if (SplitKeyLine(LineText(i), &key, &value)) keys.push_back(DecodeCp932(key));
  return keys;
}

std::size_t IniDocument::KeyCount(std::string_view section) const {
  const auto span = FindSection(section);
  if (!span) return 0;
  std::size_t count = 0;
  std::string_view key, value;
  for (std::size_t i = span->header + 1; i < span->endLine; ++i)
    if (SplitKeyLine(LineText(i), &key, &value)) ++count;
  return count;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  const auto span = FindSection(section);
  if (!span) return entries;
  std::string_view key, value;
  for (std::size_t i = span->header + 1; i < span->endLine; ++i)
    if (SplitKeyLine(LineText(i), &key, &value))
      entries.emplace_back(DecodeCp932(key), DecodeCp932(CutValue(value, valueLimit_)));
  return entries;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  const auto span = FindSection(section);
  if (!span) return std::nullopt;
  const auto line = FindKey(*span, EncodeCp932(key));
  if (!line) return std::nullopt;
  std::string_view k, v;
  SplitKeyLine(LineText(*line), &k, &v);
  return DecodeCp932(CutValue(v, valueLimit_));
}

std::string IniDocument::Value(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
  auto v = Value(section, key);
  return v ? std::move(*v) : std::string(defaultValue);
}

void IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  // The name is written without the blanks around it, which no reader keeps:
  // "[S11加法 ]" would be read back as another name than the one written.
  const std::string sjisSection(TrimBlanks(EncodeCp932(OneLine(section))));
  const std::string sjisKey = EncodeCp932(OneLine(TrimBlanks(key)));
  const std::string keyLine = sjisKey + "=" + EncodeCp932(OneLine(value));

  const auto span = FindSection(section);
  if (!span) {
    if (!bytes_.empty() && bytes_.back() != '\n' && bytes_.back() != '\r') bytes_ += "\r\n";
    bytes_ += "[" + sjisSection + "]\r\n" + keyLine + "\r\n";
    Index();
    return;
  }
  if (const auto line = FindKey(*span, sjisKey)) {
    bytes_.replace(lines_[*line].begin, lines_[*line].end - lines_[*line].begin, keyLine);
    Index();
    return;
  }
  // A new key goes after the last non-blank line of the section, so blank
  // lines that separate sections stay where they are.
  std::size_t after = span->header;
  for (std::size_t i = span->header + 1; i < span->endLine; ++i)
    if (!TrimBlanks(LineText(i)).empty()) after = i;
  std::size_t at = lines_[after].end;
  std::string insert;
  if (at < bytes_.size()) {
    // Skip this line's own line end; the new line brings its own.
    if (bytes_[at] == '\r' && at + 1 < bytes_.size() && bytes_[at + 1] == '\n') {
      at += 2;
    } else {
      at += 1;
    }
    insert = keyLine + "\r\n";
  } else {
    insert = "\r\n" + keyLine + "\r\n";
  }
  bytes_.insert(at, insert);
  Index();
}

void IniDocument::EraseSection(std::string_view section) {
  const auto span = FindSection(section);
  if (!span) return;
  const std::size_t from = lines_[span->header].begin;
  const std::size_t to =
      span->endLine < lines_.size() ? lines_[span->endLine].begin : bytes_.size();
  bytes_.erase(from, to - from);
  Index();
}

std::optional<IniDocument> IniFile::Load(bool forWriting, Failure* failure) const {
  if (!PathExists(path_)) return IniDocument::Parse({});
  auto bytes = ReadFileBytes(path_);
  if (bytes) return IniDocument::Parse(std::move(bytes).value());
  if (!forWriting) return IniDocument::Parse({});
  // Never replace a file we could not read with one that lacks its content.
  if (failure) *failure = Failure{PathText(path_) + " に書き込めません"};
  return std::nullopt;
}

std::vector<std::string> IniFile::Sections() const { return Load(false, nullptr)->Sections(); }

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  return Load(false, nullptr)->Keys(section);
}

std::string IniFile::ReadValue(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const {
  return Load(false, nullptr)->Value(section, key, defaultValue);
}

Status IniFile::WriteValue(std::string_view section, std::string_view key, std::string_view value) {
  Failure failure;
  auto doc = Load(true, &failure);
  if (!doc) return failure;
  doc->SetValue(section, key, value);
  return WriteFileAtomic(path_, doc->Bytes());
}

Status IniFile::EraseSection(std::string_view section) {
  Failure failure;
  auto doc = Load(true, &failure);
  if (!doc) return failure;
  const std::string before = doc->Bytes();
  doc->EraseSection(section);
  if (doc->Bytes() == before) return Succeeded();  // nothing to erase, nothing to write
  return WriteFileAtomic(path_, doc->Bytes());
}

}  // namespace tavolo
