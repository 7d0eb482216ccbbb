#include "dates/DateLocale.h"

namespace dorvane {
namespace {

DateLocale& Storage() {
  static DateLocale locale;
  return locale;
}

}  // namespace

const DateLocale& CurrentDateLocale() { return Storage(); }

void SetDateLocale(const DateLocale& locale) { Storage() = locale; }

}  // namespace dorvane
