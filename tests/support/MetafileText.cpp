#include <tests/support/MetafileText.h>

namespace testsupport {

namespace {

int CALLBACK collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) {
  auto* texts = reinterpret_cast<std::vector<DrawnText>*>(param);
  if (record->iType != EMR_EXTTEXTOUTW && record->iType != EMR_EXTTEXTOUTA)
    return 1;
  const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
  const EMRTEXT& text = out->emrtext;
  const BYTE* base = reinterpret_cast<const BYTE*>(record);
  std::string chars;
  if (record->iType == EMR_EXTTEXTOUTA) {
    chars.assign(reinterpret_cast<const char*>(base + text.offString), text.nChars);
  } else {
    const auto* wide = reinterpret_cast<const WCHAR*>(base + text.offString);
    for (DWORD i = 0; i < text.nChars; ++i)
      chars += static_cast<char>(wide[i] < 256 ? wide[i] : '?');
  }
  texts->push_back(DrawnText{text.ptlReference.x, text.ptlReference.y, chars});
  return 1;
}

} // namespace

std::vector<DrawnText> metafileTexts(HENHMETAFILE metafile) {
  std::vector<DrawnText> texts;
  EnumEnhMetaFile(nullptr, metafile, collect, &texts, nullptr);
  return texts;
}

} // namespace testsupport
