#pragma once

#include <engine/builder/Distribution.h>

#include <foundation/files/lzplibrary.h>

// Packs members through the decompression library's writer side, so that the engine reads exactly
// what the library itself wrote. The library encodes one stream at a time.
class LibraryPacker : public MemberPacker {
public:
  int pack(const std::string& data, std::string& packed) override;

private:
  lzplibrary library_;
};
