#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/LocaleSource.h"

namespace dorvane::platform {

// One item of a locale's record.
struct LocaleField {
  LocaleItem item;
  int index;
};

// The items a locale record holds, in the order of its fields.
inline constexpr std::size_t kLocaleFieldCount = 12 + 12 + 7 + 7 + 10;
std::array<LocaleField, kLocaleFieldCount> LocaleFields();

// A locale's record: its fields in the order of LocaleFields, each ended by kFieldEnd; an
// empty field stands for an item the locale has no data for.
inline constexpr char kFieldEnd = '\x1f';

// A locale name of the table and the record it reads.
struct LocaleTableEntry {
  std::string_view name;  // "fr_FR", "fr" (the language's own default)...
  std::string_view record;
};

// The locale texts of a named locale ("fr_FR.UTF-8", "en_US"), from a table made when the
// program is built from Qt's locale data (tools/localetable), so that reading them loads no
// toolkit. `entries` are sorted by name. The name is read as Qt reads it: its encoding and
// modifier apart; a language with a territory the table lacks reads the language's default.
// A neutral or unknown name gives no items, so every text takes its default.
std::unique_ptr<LocaleSource> TableLocaleSource(std::string_view localeName,
                                                std::span<const LocaleTableEntry> entries);

// The table of the build (generated).
std::span<const LocaleTableEntry> BuiltLocaleTable();

}  // namespace dorvane::platform
