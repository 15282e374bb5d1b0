#include <engine/screen/InstallScreen.h>

#include <engine/script/ScriptSchema.h>

int ScreenElement::read(ScriptReader& reader) {
  return reader.integer(x) && reader.integer(y) && reader.integer(width) && reader.integer(height) &&
         reader.integer(shown);
}

int ScreenTextItem::read(ScriptReader& reader) {
  return ScreenElement::read(reader) && reader.integer(shadow) && reader.integer(bold) &&
         reader.integer(italic) && reader.text(text) && reader.text(font) && reader.longint(colour);
}

int ScreenPicture::read(ScriptReader& reader) {
  return ScreenElement::read(reader) && reader.integer(placement) && reader.integer(transparentX) &&
         reader.integer(transparentY) && reader.integer(transparent) && source.read(reader) &&
         (placement == 0 || placement == 1) && transparentX >= 0 && transparentY >= 0;
}

int ScreenMetafile::read(ScriptReader& reader) { return ScreenElement::read(reader) && reader.path(path); }

int ScreenActivity::read(ScriptReader& reader) {
  return reader.integer(x) && reader.integer(y) && reader.integer(shown) && reader.longint(colours[0]) &&
         reader.longint(colours[1]);
}

int InstallScreenSettings::read(ScriptReader& reader) {
  if (!reader.integer(sizingMode) || !reader.integer(widthPerMille) || !reader.integer(heightPerMille) ||
      !reader.integer(backgroundMode) || !reader.longint(style))
    return 0;
  long n;
  if (!reader.count('l',
                    MinimumFieldBytes(ScreenElementFields, reader.layout16()) +
                        MinimumFieldBytes(ScreenTextItemFields, reader.layout16()),
                    n))
    return 0;
  texts.clear();
  texts.resize(static_cast<size_t>(n));
  for (ScreenTextItem& item : texts)
    if (!item.read(reader))
      return 0;
  if (!references.read(reader))
    return 0;
  for (long& corner : corners)
    if (!reader.longint(corner))
      return 0;
  if (!picture.read(reader) || !metafile.read(reader) || !activity.read(reader) || !exitButton.read(reader) ||
      !helpButton.read(reader) || !minimizeButton.read(reader) || !background.read(reader))
    return 0;
  return sizingMode >= 0 && sizingMode <= 3 && backgroundMode >= 0 && backgroundMode <= 2 &&
         widthPerMille >= 0 && heightPerMille >= 0;
}
