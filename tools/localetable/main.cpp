// localetable: writes, as a C++ source, the locale texts the program reads for every locale of
// Qt's data, so that the program reads them without loading Qt (platform/LocaleTable.h).
//
// Usage: localetable OUTPUT.cpp
#include <QLocale>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "platform/LocaleTable.h"
#include "platform/QtLocaleSource.h"

namespace {

std::string Record(const std::string& name) {
  const dorvane::platform::QtLocaleSource source(name);
  std::string record;
  for (const auto& field : dorvane::platform::LocaleFields()) {
    record += source.Item(field.item, field.index).value_or("");
    record += dorvane::platform::kFieldEnd;
  }
  return record;
}

// A C++ string literal of `text`, every byte that is not plain ASCII as an octal escape.
std::string Literal(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\' && c != '?') {
      out += c;
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      out += escape;
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: localetable OUTPUT.cpp\n");
    return 2;
  }
  // Every locale Qt has by its name, and every language code Qt reads (its default locale):
  // its own codes and the older ones it still takes ("no" for Norwegian Bokmål).
  std::set<std::string> names;
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    if (locale.language() == QLocale::C) continue;
    names.insert(locale.name().toStdString());
  }
  std::string code;
  for (int length = 2; length <= 3; ++length) {
    code.assign(length, 'a');
    for (;;) {
      if (QLocale(QString::fromLatin1(code)).language() != QLocale::C) names.insert(code);
      int i = length - 1;
      while (i >= 0 && code[i] == 'z') code[i--] = 'a';
      if (i < 0) break;
      ++code[i];
    }
  }
  std::map<std::string, std::string> records;  // record -> its variable's name
  std::string out =
      "// Made by tools/localetable from Qt's locale data when the program is built.\n"
      "#include \"platform/LocaleTable.h\"\n\n"
      "namespace dorvane::platform {\nnamespace {\n\n";
  std::string entries;
  for (const std::string& name : names) {
    const std::string record = Record(name);
    auto [it, added] = records.emplace(record, "kRecord" + std::to_string(records.size()));
    if (added) out += "constexpr char " + it->second + "[] = " + Literal(record) + ";\n";
    // The records' lengths given, so that no compiler counts them out at compile time.
    entries +=
        "    {" + Literal(name) + ", {" + it->second + ", sizeof " + it->second + " - 1}},\n";
  }
  out += "\nconstexpr LocaleTableEntry kEntries[] = {\n" + entries + "};\n\n}  // namespace\n\n" +
         "std::span<const LocaleTableEntry> BuiltLocaleTable() { return kEntries; }\n\n" +
         "}  // namespace dorvane::platform\n";
  std::ofstream file(argv[1], std::ios::binary);
  file << out;
  return file ? 0 : 1;
}
