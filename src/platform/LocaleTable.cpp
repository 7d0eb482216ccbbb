#include "platform/LocaleTable.h"

#include <algorithm>

namespace dorvane::platform {
namespace {

class RecordLocaleSource final : public LocaleSource {
 public:
  explicit RecordLocaleSource(std::string_view record) {
    const std::array<LocaleField, kLocaleFieldCount> fields = LocaleFields();
    std::size_t start = 0;
    for (std::size_t i = 0; i < fields.size() && start < record.size(); ++i) {
      const std::size_t end = std::min(record.find(kFieldEnd, start), record.size());
      values_[i] = record.substr(start, end - start);
      start = end + 1;
    }
  }

  std::optional<std::string> Item(LocaleItem item, int index) const override {
    const std::array<LocaleField, kLocaleFieldCount> fields = LocaleFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].item == item && fields[i].index == index) {
        if (values_[i].empty()) return std::nullopt;
        return std::string(values_[i]);
      }
    }
    return std::nullopt;
  }

 private:
  std::array<std::string_view, kLocaleFieldCount> values_{};
};

const LocaleTableEntry* Find(std::span<const LocaleTableEntry> entries, std::string_view name) {
  const auto it = std::lower_bound(
      entries.begin(), entries.end(), name,
      [](const LocaleTableEntry& entry, std::string_view key) { return entry.name < key; });
  return it != entries.end() && it->name == name ? &*it : nullptr;
}

}  // namespace

std::array<LocaleField, kLocaleFieldCount> LocaleFields() {
  std::array<LocaleField, kLocaleFieldCount> fields{};
  std::size_t n = 0;
  for (const auto& [item, count] : {std::pair{LocaleItem::MonthName, 12},
                                    {LocaleItem::MonthAbbrev, 12},
                                    {LocaleItem::DayName, 7},
                                    {LocaleItem::DayAbbrev, 7}}) {
    for (int i = 1; i <= count; ++i) fields[n++] = {item, i};
  }
  for (const LocaleItem item :
       {LocaleItem::ShortDatePattern, LocaleItem::LongDatePattern, LocaleItem::DateSeparator,
        LocaleItem::TimeSeparator, LocaleItem::MorningMark, LocaleItem::EveningMark,
        LocaleItem::DecimalSeparator, LocaleItem::TimeLeadingZero, LocaleItem::TimeFormat,
        LocaleItem::TimeMarkerPosition}) {
    fields[n++] = {item, 0};
  }
  return fields;
}

std::unique_ptr<LocaleSource> TableLocaleSource(std::string_view localeName,
                                                std::span<const LocaleTableEntry> entries) {
  if (IsNeutralLocaleName(localeName)) return std::make_unique<EmptyLocaleSource>();
  std::string name(localeName.substr(0, localeName.find_first_of(".@")));
  std::replace(name.begin(), name.end(), '-', '_');
  const LocaleTableEntry* entry = Find(entries, name);
  if (entry == nullptr) entry = Find(entries, name.substr(0, name.find('_')));
  if (entry == nullptr) return std::make_unique<EmptyLocaleSource>();
  return std::make_unique<RecordLocaleSource>(entry->record);
}

}  // namespace dorvane::platform
