#include "platform/LocaleSource.h"

#include <windows.h>

#include "platform/win32/Wide.h"

namespace dorvane::platform {
namespace {

// The locale item of each of ours; a list item's first entry, the others following it.
LCTYPE ItemType(LocaleItem item) {
  switch (item) {
    case LocaleItem::MonthName:
      return LOCALE_SMONTHNAME1;
    case LocaleItem::MonthAbbrev:
      return LOCALE_SABBREVMONTHNAME1;
    case LocaleItem::DayName:
      return LOCALE_SDAYNAME1;  // Monday
    case LocaleItem::DayAbbrev:
      return LOCALE_SABBREVDAYNAME1;
    case LocaleItem::ShortDatePattern:
      return LOCALE_SSHORTDATE;
    case LocaleItem::LongDatePattern:
      return LOCALE_SLONGDATE;
    case LocaleItem::DateSeparator:
      return LOCALE_SDATE;
    case LocaleItem::TimeSeparator:
      return LOCALE_STIME;
    case LocaleItem::MorningMark:
      return LOCALE_S1159;
    case LocaleItem::EveningMark:
      return LOCALE_S2359;
    case LocaleItem::DecimalSeparator:
      return LOCALE_SDECIMAL;
    case LocaleItem::ThousandSeparator:
      return LOCALE_STHOUSAND;
    case LocaleItem::TimeLeadingZero:
      return LOCALE_ITLZERO;
    case LocaleItem::TimeFormat:
      return LOCALE_ITIME;
    case LocaleItem::TimeMarkerPosition:
      return LOCALE_ITIMEMARKPOSN;
  }
  return 0;
}

bool IsList(LocaleItem item) {
  return item == LocaleItem::MonthName || item == LocaleItem::MonthAbbrev ||
         item == LocaleItem::DayName || item == LocaleItem::DayAbbrev;
}

// The items of one locale, read by GetLocaleInfoW. Its date patterns are the system's
// ("dddd d MMMM yyyy"), which the program's pattern language reads as they are.
class Win32LocaleSource final : public LocaleSource {
 public:
  explicit Win32LocaleSource(LCID locale) : locale_(locale) {}

  std::optional<std::string> Item(LocaleItem item, int index) const override {
    const int count = item == LocaleItem::MonthName || item == LocaleItem::MonthAbbrev ? 12 : 7;
    if (IsList(item) && (index < 1 || index > count)) return std::nullopt;
    const LCTYPE type = ItemType(item) + (IsList(item) ? static_cast<LCTYPE>(index - 1) : 0);
    const int needed = ::GetLocaleInfoW(locale_, type, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(needed), L'\0');
    const int n = ::GetLocaleInfoW(locale_, type, text.data(), needed);
    if (n <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(n - 1));  // without its terminator
    return Utf8(text);
  }

 private:
  LCID locale_;
};

}  // namespace

// The user may have changed the settings since the thread's locale was last set: it is reset
// to the user's default before the items are read again.
std::unique_ptr<LocaleSource> UserLocaleSource() {
  ::SetThreadLocale(LOCALE_USER_DEFAULT);
  return std::make_unique<Win32LocaleSource>(::GetThreadLocale());
}

}  // namespace dorvane::platform
