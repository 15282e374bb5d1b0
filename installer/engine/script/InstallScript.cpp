#include <engine/script/InstallScript.h>

#include <engine/script/ScriptSchema.h>

#include <foundation/paths/fpath.h>
#include <foundation/paths/pathparts.h>
#include <foundation/streams/filestream.h>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

int readProduct(ScriptReader& reader, ProductRecord& record) {
  return reader.integer(record.values[0]) && reader.integer(record.values[1]) &&
         reader.integer(record.values[2]) && reader.longint(record.figures[0]) &&
         reader.longint(record.figures[1]) && reader.text(record.name);
}

int readTexts(ScriptReader& reader, TextRecord& record) {
  for (std::string& text : record.texts)
    if (!reader.text(text))
      return 0;
  return reader.textlist(record.further, 0);
}

int readOptions(ScriptReader& reader, OptionsRecord& record) {
  return reader.uinteger(record.mediaMode) && reader.integer(record.restart) &&
         reader.integer(record.silent) && reader.path(record.folder) && reader.text(record.group);
}

int readFlags(ScriptReader& reader, FlagsRecord& record) {
  return reader.integer(record.billboardSteps) && reader.longint(record.minimumMillisecondsPerFile);
}

template <class T> int create(std::unique_ptr<T>& member) {
  member.reset(new (std::nothrow) T);
  return member != nullptr;
}

} // namespace

void InstallScript::clear() {
  loaded = 0;
  product.reset();
  build.reset();
  texts.reset();
  screen.reset();
  options.reset();
  flags.reset();
  events.clear();
  auxiliary.clear();
  components.clear();
  dialogs.clear();
  languages = LanguageSet();
}

int InstallScript::readmembers(ScriptReader& reader) {
  if (!reader.integer(reserved))
    return 0;
  for (long& number : header)
    if (!reader.longint(number))
      return 0;
  if (!readProduct(reader, *product) || !build->read(reader) || !events.read(reader) ||
      !auxiliary.read(reader))
    return 0;
  if (version >= ComponentsVersion && (!components.read(reader, events.count()) || !dialogs.read(reader)))
    return 0;
  return readTexts(reader, *texts) && languages.read(reader) && reader.path(languages.paths[0]) &&
         reader.path(languages.paths[1]) && screen->read(reader) && readOptions(reader, *options) &&
         readFlags(reader, *flags) && build->readtrailers(reader);
}

int InstallScript::read(portistream& stream) {
  ScriptReader reader(stream);
  return readscript(reader);
}

int InstallScript::read(const char* bytes, long size) {
  ScriptReader reader(bytes, size);
  return readscript(reader);
}

int InstallScript::readscript(ScriptReader& reader) {
  clear();
  unsigned char width;
  if (!reader.byte(width) || (width != ScriptWidth16 && width != ScriptWidth32))
    return 0;
  reader.setlayout16(width == ScriptWidth16);
  loaded = 0;
  if (!create(build) || !create(product) || !create(texts) || !create(screen) || !create(options) ||
      !create(flags))
    return 0;
  if (!reader.integer(version) || version < FirstScriptVersion || version > LatestScriptVersion)
    return 0;
  reader.setversion(version);
  if (!readmembers(reader))
    return 0;
  loaded = 1;
  std::memcpy(workingHeader, header, sizeof header);
  if (version != LatestScriptVersion) {
    version = LatestScriptVersion;
    ++changes;
  }
  return 1;
}

// A script is read once from its start to its end, through the reader's block buffer.
// A hostile script can ask for far more memory than its size: running out fails the load like any
// other bad script, and never ends the program.
int LoadInstallScript(InstallScript& script, const char* path) {
  try {
    fileistream file(path);
    if (!file.open() || file.size() < 0)
      return 0;
    return script.read(file);
  } catch (const std::bad_alloc&) {
    script.clear();
    return 0;
  }
}

int LoadScriptFromFolder(InstallScript& script, const char* folder, ErrorReport& report) {
  if (!RegisteredEventTypes())
    RegisterEventTypes();
  static const char* const names[] = {"install.inf", "setup.inf"};
  for (const char* name : names) {
    fpathbuf path;
    if (!fpath::setjoin(path, folder, name) || !fpath::exists(path))
      continue;
    if (LoadInstallScript(script, path.str()))
      return 1;
    char message[256];
    std::snprintf(message, sizeof message, "Unable to load %s", path.str());
    report.reporterror(message);
    return 0;
  }
  report.reporterror("install.inf or setup.inf not found");
  return 0;
}
