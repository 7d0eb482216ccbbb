// Help files with a compressed section, built in the tests: the files of that section are laid
// end to end in one stream, written as LZX frames of stored blocks, with the control data and
// reset table that describe them. Tests damage the parts they are about.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ChmWriter.h"

namespace dorvane::testing {

struct CompressedParts {
  std::string controlData;
  std::string resetTable;
  std::string content;
};

inline void PutLE(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

inline void SetLE(std::string& out, std::size_t at, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One LZX frame holding `data` (at most 32 KiB) as a stored block, the stream being reset at
// every frame: the translation bit (off), the block type (3, stored), its 24-bit size, padding
// to the 16-bit word, the three repeated offsets, the bytes and a pad byte to an even length.
// Bits are packed into 16-bit little-endian words, most significant bit first.
inline std::string StoredLzxFrame(const std::string& data) {
  const std::uint32_t size = static_cast<std::uint32_t>(data.size());
  const std::uint32_t bits = (0u << 31) | (3u << 28) | (size << 4);  // 32 bits, the last 4 padding
  std::string out;
  PutLE(out, bits >> 16, 2);
  PutLE(out, bits & 0xFFFF, 2);
  for (int r = 0; r < 3; ++r) PutLE(out, 1, 4);
  out += data;
  if (data.size() % 2 != 0) out.push_back('\0');
  return out;
}

inline CompressedParts CompressStream(const std::string& stream) {
  constexpr std::size_t kFrame = 0x8000;
  CompressedParts p;
  // Size in dwords after the first, "LZXC", version 2, reset interval 1, window 2 (64 KiB),
  // one window per reset: a reset at every frame. Sizes count 32 KiB frames.
  PutLE(p.controlData, 6, 4);
  p.controlData += "LZXC";
  for (std::uint32_t v : {2u, 1u, 2u, 1u, 0u}) PutLE(p.controlData, v, 4);

  std::vector<std::uint64_t> starts;
  for (std::size_t at = 0; at < stream.size(); at += kFrame) {
    starts.push_back(p.content.size());
    // Every frame holds 32 KiB once decompressed, the last one padded with zeros.
    std::string frame = stream.substr(at, kFrame);
    frame.resize(kFrame, '\0');
    p.content += StoredLzxFrame(frame);
  }
  PutLE(p.resetTable, 2, 4);
  PutLE(p.resetTable, starts.size(), 4);
  PutLE(p.resetTable, 8, 4);
  PutLE(p.resetTable, 0x28, 4);
  PutLE(p.resetTable, stream.size(), 8);
  PutLE(p.resetTable, p.content.size(), 8);
  PutLE(p.resetTable, kFrame, 8);
  for (std::uint64_t s : starts) PutLE(p.resetTable, s, 8);
  return p;
}

inline constexpr char kControlDataPath[] = "::DataSpace/Storage/MSCompressed/ControlData";
inline constexpr char kResetTablePath[] =
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
    "InstanceData/ResetTable";
inline constexpr char kContentPath[] = "::DataSpace/Storage/MSCompressed/Content";

// A help file whose `compressed` files lie in the compressed section and `stored` ones in the
// uncompressed one; `damage` may change the parts before they are packed.
inline std::string BuildCompressedChm(const std::vector<chmpack::ChmEntry>& compressed,
                                      std::vector<chmpack::ChmEntry> stored = {},
                                      const std::function<void(CompressedParts&)>& damage = {}) {
  std::string stream;
  std::vector<chmpack::ChmSection1Entry> records;
  for (const chmpack::ChmEntry& e : compressed) {
    records.push_back({e.path, stream.size(), e.data.size()});
    stream += e.data;
  }
  CompressedParts parts = CompressStream(stream);
  if (damage) damage(parts);
  stored.push_back({kControlDataPath, parts.controlData});
  stored.push_back({kResetTablePath, parts.resetTable});
  stored.push_back({kContentPath, parts.content});
  return chmpack::BuildChm(std::move(stored), 0x040C, records);
}

}  // namespace dorvane::testing
