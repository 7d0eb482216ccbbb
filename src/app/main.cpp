#include <cstdio>

#include "dates/DateValue.h"

int main() {
  const dorvane::DateParts d = dorvane::SplitDate(dorvane::TodayDate());
  std::printf("%04u-%02u-%02u\n", d.year, d.month, d.day);
  return 0;
}
